#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QObject>

AppMessageEvent::AppMessageEvent(unsigned msg, quintptr wParam, qintptr lParam)
    : QEvent(Type()), msg(msg), wParam(wParam), lParam(lParam)
{
}

QEvent::Type AppMessageEvent::Type()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostAppMessage(QObject* target, unsigned msg, quintptr wParam, qintptr lParam)
{
    if (target)
        QCoreApplication::postEvent(target, new AppMessageEvent(msg, wParam, lParam));
}

qintptr SendAppMessage(QObject* target, unsigned msg, quintptr wParam, qintptr lParam)
{
    if (!target)
        return 0;
    AppMessageEvent event(msg, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}
