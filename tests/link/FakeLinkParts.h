#pragma once

#include "link/ILinkHost.h"
#include "link/ILinkTransport.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

// The link's line as a list of the frames written; it opens when told to.
class FakeTransport : public ILinkTransport
{
public:
    bool PrepareCall(bool, int, const QString&, const QString& number) override { return !number.isEmpty(); }
    bool Open(QObject*) override { return opens; }
    bool TakeCallLine() override { return true; }
    void Start(QObject*) override { ++starts; }
    void Write(const QByteArray& frame) override { frames.push_back(frame); }
    void Stop() override { ++stops; }

    bool opens = true;
    int starts = 0;
    int stops = 0;
    std::vector<QByteArray> frames;
};

// The program around the link, counting what it is asked to do.
class FakeLinkHost : public ILinkHost
{
public:
    QObject* GetPaneWindow() override { return pane; }
    void ShowNetworkStatusPanes() override { ++statusPanes; }
    void RecreateMonitorViews() override { ++monitorRecreations; }
    RunMode GetRunMode() const override { return mode; }
    bool DisconnectAfterProgramming() const override { return disconnectAfterProgramming; }
    bool GetSelectedController(int&, int&) const override { return false; }
    void SetDataToProgram(int flag) override { dataToProgram = flag; }
    void CloseMainWindow() override { ++closes; }
    void ShowFlashFailedNotice() override { ++flashFailedNotices; }
    FailedConnectAnswer ConnectionFailed(QChar, int) override { return answer; }

    QObject* pane = nullptr;
    RunMode mode = RunMode::Interactive;
    bool disconnectAfterProgramming = false;
    int statusPanes = 0;
    int monitorRecreations = 0;
    int dataToProgram = 0;
    int closes = 0;
    int flashFailedNotices = 0;
    FailedConnectAnswer answer = FailedConnectAnswer::GiveUp;
};
