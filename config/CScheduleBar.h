#pragma once

#include <QString>

#include <memory>

class ControlHost;
class ILongProperties;
class QWidget;

// One schedule bar of a page: the zonectl control created by its class
// identifier, or, when none can be made, a placeholder that says so.
class CScheduleBar
{
public:
    // Made by CScheduleBarSource.
    CScheduleBar(std::unique_ptr<ControlHost> control, QWidget* parent, const QString& failure);
    ~CScheduleBar();
    CScheduleBar(const CScheduleBar&) = delete;
    CScheduleBar& operator=(const CScheduleBar&) = delete;

    // The bar's window, or the placeholder.
    QWidget* Widget() const { return m_widget; }
    // The period properties; null without a bar.
    ILongProperties* Properties() const;

    void SetShowTimeScale(bool show);
    void SetShowToolTip(bool show);
    void SetTimeZoneNumber(int zone);
    void SetActive(bool active);

private:
    std::unique_ptr<ControlHost> m_control;
    QWidget* m_widget = nullptr;
};
