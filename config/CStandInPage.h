#pragma once

#include "config/IDoorSchedulesPage.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

// A page whose editor is not built yet: it says so, stores nothing and
// reports no change.
class CStandInPage : public QWidget, public INetworkSettingsPage, public IDoorSchedulesPage
{
    Q_OBJECT
public:
    CStandInPage(const QString& pageClass, QWidget* parent = nullptr);

    void Store() override {}
    void Commit(CommitMode) override {}
    bool Changed() const override { return false; }
    void SetNoCommitOnDestroy() override {}
};
