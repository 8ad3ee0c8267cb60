#pragma once

#include "reports/eventlog/CEventListTab.h"

// The Cardholders page: every cardholder not deleted, checked as the
// cardholders' rows keep it.
class CEventCardholdersTab : public CEventListTab
{
    Q_OBJECT
public:
    explicit CEventCardholdersTab(QWidget* parent = nullptr);

    void OnClose() override;

protected:
    QString Clause(int userID) const override;
};
