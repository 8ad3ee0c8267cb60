#pragma once

#include "linkforms/CRPNetworkStatusForm.h"
#include "linkforms/NodeButtons.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/linkforms/FakeNodeCommandHost.h"
#include "tests/support/MessageBoxScript.h"

#include <QAction>
#include <QMenu>

#include <memory>

// The demo installation (network A, nodes 1-3) open, its network status
// pane, and a communication form that is told what to answer.
class NetworkStatusPane : public ProgrammingRun
{
protected:
    struct MenuItem
    {
        QString text;
        unsigned command;
        bool enabled;
    };

    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        pane = std::make_unique<CRPNetworkStatusForm>();
        pane->trackPopup = [this](QMenu& menu, const QPoint&) {
            menuItems.clear();
            Collect(menu);
            return chosen;
        };
    }
    void TearDown() override
    {
        pane.reset();
        ProgrammingRun::TearDown();
    }

    void Collect(const QMenu& menu)
    {
        for (QAction* action : menu.actions()) {
            if (action->menu())
                Collect(*action->menu());
            else if (!action->isSeparator())
                menuItems.push_back({action->text(), action->data().toUInt(), action->isEnabled()});
        }
    }
    const MenuItem* Item(unsigned command) const
    {
        for (const MenuItem& item : menuItems) {
            if (item.command == command)
                return &item;
        }
        return nullptr;
    }

    // Clicks the node's button and picks command from its menu (0: none).
    void Click(int net, int node, unsigned command = 0)
    {
        chosen = command;
        menuItems.clear();
        pane->OnNodeButton(NodeButtons::NodeButtonId(net, node));
    }

    MessageBoxScript boxes;
    FakeNodeCommandHost host;
    std::unique_ptr<CRPNetworkStatusForm> pane;
    std::vector<MenuItem> menuItems;
    unsigned chosen = 0;
};
