#pragma once

#include "reports/eventlog/CEventListTab.h"

// The Doors page: every door of the controllers whose network is known,
// checked as the controllers' rows keep it.
class CEventDoorsTab : public CEventListTab
{
    Q_OBJECT
public:
    explicit CEventDoorsTab(QWidget* parent = nullptr);

    void OnClose() override;

protected:
    QString Clause(int doorKey) const override;
};
