#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

class CWFDoc;

// The outside firmware-update program for one node: its path and its
// command-line words, which that program relies on, and a wait for its end
// that keeps the program's windows alive.
class FirmwareUpdate
{
public:
    enum class Outcome { Ended, NotStarted, StillRunning };

    // How long the wait lasts at most; a panel may take minutes to update.
    static constexpr std::chrono::minutes kWaitBound{30};

    QString program;
    QStringList arguments;

    // The command for the node of the network's row; nullopt, having said
    // so, when the network has no row. modemNumber is the program's
    // selected modem, used when the network is reached by modem.
    static std::optional<FirmwareUpdate> ForNode(const CWFDoc& doc, int net, int node, int modemNumber);

    // Starts the program and waits for its end behind a modal "please wait"
    // box while events are handled. A program that cannot start ends the wait
    // at once, without a message. After the bound the wait ends with a
    // message; the program is never stopped, as a panel may be half-way
    // through its update.
    Outcome Run(std::chrono::milliseconds bound = kWaitBound) const;
};
