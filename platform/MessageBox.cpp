#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <cstdio>

namespace {

QPointer<QWidget> g_owner;
bool g_hasOwner = false;
MessageBoxPresenter g_presenter;

QMessageBox::Icon ToQtIcon(MbIcon icon)
{
    switch (icon) {
    case MbIcon::Information: return QMessageBox::Information;
    case MbIcon::Exclamation: return QMessageBox::Warning;
    case MbIcon::Stop: return QMessageBox::Critical;
    case MbIcon::Question: return QMessageBox::Question;
    case MbIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

int FromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Retry: return IDRETRY;
    default: return IDCANCEL;
    }
}

QMessageBox::StandardButtons ToQtButtons(MbButtons buttons)
{
    switch (buttons) {
    case MbButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MbButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MbButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MbButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case MbButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton SecondButton(MbButtons buttons)
{
    switch (buttons) {
    case MbButtons::YesNo:
    case MbButtons::YesNoCancel: return QMessageBox::No;
    case MbButtons::OkCancel:
    case MbButtons::RetryCancel: return QMessageBox::Cancel;
    case MbButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

int PresentWithDialog(const MessageBoxRequest& request)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No widgets (a headless run): the text still reaches someone.
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(request.text));
        return request.buttons == MbButtons::YesNo || request.buttons == MbButtons::YesNoCancel ? IDNO
                                                                                               : IDCANCEL;
    }
    QMessageBox box(ToQtIcon(request.icon), request.title, request.text, ToQtButtons(request.buttons),
                    g_owner.data());
    if (request.defaultButton == MbDefault::Second)
        box.setDefaultButton(SecondButton(request.buttons));
    return FromQtButton(box.exec());
}

} // namespace

int ShowMessageBox(const QString& text, MbButtons buttons, MbIcon icon, const QString& title,
                   MbDefault defaultButton)
{
    MessageBoxRequest request{text, title, icon, buttons, defaultButton};
    if (request.title.isEmpty())
        request.title = QString::fromLatin1(g_hasOwner ? kMainBoxTitle : kStartupBoxTitle);
    return g_presenter ? g_presenter(request) : PresentWithDialog(request);
}

void SetMessageBoxOwner(QWidget* owner)
{
    g_owner = owner;
    g_hasOwner = owner != nullptr;
}

QWidget* MessageBoxOwner()
{
    return g_owner.data();
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    MessageBoxPresenter previous = std::move(g_presenter);
    g_presenter = std::move(presenter);
    return previous;
}
