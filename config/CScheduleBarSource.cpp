#include "config/CScheduleBarSource.h"

#include "config/CScheduleBar.h"
#include "platform/ControlHost.h"
#include "zonectl/QZIdentifiers.h"

#include <QDebug>

std::unique_ptr<CScheduleBar> CScheduleBarSource::Create(QWidget* parent)
{
    QString message;
    std::unique_ptr<ControlHost> control = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZCtrl), &message);
    // The operator sees the placeholders; the reason goes to the log and the placeholder's tip.
    if (!control && !m_failureLogged) {
        m_failureLogged = true;
        qWarning().noquote() << message;
    }
    return std::make_unique<CScheduleBar>(std::move(control), parent, message);
}
