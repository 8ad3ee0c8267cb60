#include "app/ViewFactory.h"

#include "app/CMainMenu.h"
#include "app/CRPBlankPane.h"
#include "app/CRPNavigationHelp.h"
#include "platform/MessageBox.h"

#include <QHash>

namespace {

QHash<QString, ViewCreator>& Registry()
{
    static QHash<QString, ViewCreator> registry = {
        {QStringLiteral("CRPBlankPane"), [](QWidget* p) -> QWidget* { return new CRPBlankPane(p); }},
        {QStringLiteral("CMainMenu"), [](QWidget* p) -> QWidget* { return new CMainMenu(p); }},
        {QStringLiteral("CRPNavigationHelp"), [](QWidget* p) -> QWidget* { return new CRPNavigationHelp(p); }},
    };
    return registry;
}

} // namespace

void RegisterViewClass(const QString& className, ViewCreator creator)
{
    Registry().insert(className, std::move(creator));
}

bool IsViewClassRegistered(const QString& className)
{
    return Registry().contains(className);
}

bool CheckViewClass(const QString& className)
{
    if (IsViewClassRegistered(className))
        return true;
    ShowMessageBox(QStringLiteral("The view %1 is not known: it cannot be shown.").arg(className), MbButtons::Ok,
                   MbIcon::Exclamation);
    return false;
}

QWidget* CreateView(const QString& className, QWidget* parent)
{
    if (!CheckViewClass(className))
        return nullptr;
    QWidget* view = Registry().value(className)(parent);
    if (view && view->objectName().isEmpty())
        view->setObjectName(className);
    return view;
}
