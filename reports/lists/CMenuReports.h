#pragma once

#include "app/CPaneView.h"

#include <cstdint>

class QCheckBox;
class QPushButton;

// The reports navigation form: its buttons choose a record report for the
// list view in the right pane, or the settings or display-messages listing,
// and Print prints what the right pane shows.
class CMenuReports : public CPaneView
{
    Q_OBJECT
public:
    // What the form last put into the right pane.
    static constexpr std::int8_t kPaneNothing = 0;
    static constexpr std::int8_t kPaneList = 1;
    static constexpr std::int8_t kPaneListing = 2;

    explicit CMenuReports(QWidget* parent = nullptr);

    void ShowRightPane(std::int8_t mode);
    void OnReportButton(int kind);
    void OnCardholders();
    void OnSystemReport();
    void OnDisplayMessages();
    void OnPrint();

    std::int8_t RightPaneMode() const { return m_nRightPaneMode; }

private:
    QPushButton* AddButton(const QString& caption, void (CMenuReports::*handler)());
    QPushButton* AddReportButton(const QString& caption, int kind);

    QCheckBox* m_includeCredentials = nullptr;
    int m_bIncludeCredentials = 0;
    std::int8_t m_nRightPaneMode = kPaneNothing;
};
