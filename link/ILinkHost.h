#pragma once

#include <QString>

class QObject;

// What the link engine asks of the program around it: the panes, the
// operator's options, the scheduled run and the notices the communication
// form shows. The application implements it; every call has a quiet answer
// for a headless run.
class ILinkHost
{
public:
    enum class RunMode { Interactive, Program, SetTime, OtherTask };
    enum class FailedConnectAnswer { Retry, GiveUp };

    virtual ~ILinkHost() = default;

    // The right pane, which gets live events, node states and network changes.
    virtual QObject* GetPaneWindow() = 0;
    // The blank navigation pane on the left and the network status pane on the right.
    virtual void ShowNetworkStatusPanes() = 0;
    // The link moved to another network: the monitor's views, when shown,
    // are made again for it.
    virtual void RecreateMonitorViews() {}
    virtual RunMode GetRunMode() const = 0;
    // The "Disconnect after programming" option.
    virtual bool DisconnectAfterProgramming() const = 0;
    // The selected controller's network and node; false when none is selected.
    virtual bool GetSelectedController(int& net, int& node) const = 0;
    virtual void SetDataToProgram(int flag) = 0;
    // Closes the main window (after a close the operator asked for mid-run).
    virtual void CloseMainWindow() = 0;
    // A memory write was given up: beep and show the failed-update notice.
    virtual void ShowFlashFailedNotice() = 0;
    // The Connection Failed countdown for the network's letter and the
    // failure's reason; Retry when it runs out.
    virtual FailedConnectAnswer ConnectionFailed(QChar network, int reason) = 0;
};
