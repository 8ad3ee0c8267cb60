#include "config/CScheduleBar.h"

#include "platform/ControlHost.h"
#include "zonectl/QZIdentifiers.h"

#include <QLabel>

CScheduleBar::CScheduleBar(std::unique_ptr<ControlHost> control, QWidget* parent, const QString& failure)
    : m_control(std::move(control))
{
    if (m_control)
        m_widget = m_control->Attach(parent);
    if (!m_widget) {
        auto* placeholder = new QLabel(QStringLiteral("Schedule bar not available"), parent);
        placeholder->setObjectName(QStringLiteral("ScheduleBarPlaceholder"));
        placeholder->setToolTip(failure);
        placeholder->setFrameShape(QFrame::Box);
        m_widget = placeholder;
        // A control without a window has no periods to show or give back.
        m_control.reset();
    }
}

CScheduleBar::~CScheduleBar() = default;

ILongProperties* CScheduleBar::Properties() const
{
    return m_control.get();
}

void CScheduleBar::SetShowTimeScale(bool show)
{
    if (m_control)
        m_control->SetProperty(QZ::DISPID_ShowTimeScale, show);
}

void CScheduleBar::SetShowToolTip(bool show)
{
    if (m_control)
        m_control->SetProperty(QZ::DISPID_ShowToolTip, show);
}

void CScheduleBar::SetTimeZoneNumber(int zone)
{
    if (m_control)
        m_control->SetProperty(QZ::DISPID_TimeZoneNumber, QString::number(zone));
}

void CScheduleBar::SetActive(bool active)
{
    if (m_control)
        m_control->SetProperty(QZ::DISPID_Active, active);
}
