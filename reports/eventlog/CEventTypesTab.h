#pragma once

#include "reports/eventlog/CEventListTab.h"

class CColumnWidths;

// The Types page: the event types an operator can pick, checked by the
// profile's bit mask of list positions.
class CEventTypesTab : public CEventListTab
{
    Q_OBJECT
public:
    CEventTypesTab(CColumnWidths& settings, QWidget* parent = nullptr);

    // The checked list positions into the profile's mask.
    void OnClose() override;

protected:
    QString Clause(int type) const override;

private:
    CColumnWidths& m_settings;
};
