#include "config/CScheduleBarSource.h"

#include "config/CScheduleBar.h"
#include "platform/ControlHost.h"
#include "platform/MessageBox.h"
#include "zonectl/QZIdentifiers.h"

std::unique_ptr<CScheduleBar> CScheduleBarSource::Create(QWidget* parent)
{
    QString message;
    std::unique_ptr<ControlHost> control = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZCtrl), &message);
    if (!control && !m_failureShown) {
        m_failureShown = true;
        ShowMessageBox(message, MbButtons::Ok, MbIcon::Exclamation);
    }
    return std::make_unique<CScheduleBar>(std::move(control), parent, message);
}
