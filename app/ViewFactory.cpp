#include "app/ViewFactory.h"

#include "app/CMainMenu.h"
#include "app/CPlaceholderView.h"
#include "app/CRPBlankPane.h"
#include "app/CRPNavigationHelp.h"

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

QWidget* CreateView(const QString& className, QWidget* parent)
{
    const auto it = Registry().constFind(className);
    QWidget* view = it != Registry().constEnd() ? (*it)(parent) : new CPlaceholderView(className, parent);
    if (view && view->objectName().isEmpty())
        view->setObjectName(className);
    return view;
}
