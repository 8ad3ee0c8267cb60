#pragma once

#include "link/CCommPort.h"
#include "link/CLinkThreads.h"
#include "link/LinkConnection.h"
#include "link/LinkTiming.h"
#include "platform/Profile.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"

#include <gtest/gtest.h>

#include <sys/ioctl.h>

inline constexpr int kNetwork = 1;
inline constexpr std::uint8_t kMaster = 0x11;
inline constexpr double kFastLink = 0.1;

inline int PendingInput(int fd)
{
    int bytes = 0;
    ::ioctl(fd, FIONREAD, &bytes);
    return bytes;
}

inline void UseComPort(int number, const QString& device)
{
    CurrentConnection = static_cast<std::uint8_t>(number);
    Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(number), device);
}

// The program's side of one COM-port connection to a panel line.
class SerialLink : public testing::Test
{
protected:
    void SetUp() override
    {
        UseComPort(1, line.SlavePath());
        port.SetProgressWindow(&window);
    }

    void TearDown() override
    {
        threads.Stop();
        port.Close();
    }

    // As the Connecting dialog does: a fresh stop event for each attempt.
    void Connect()
    {
        port.Initialize();
        ASSERT_EQ(port.Open(handle), 1);
        threads.Start(*handle, *StopEvent, &window);
    }

    void Disconnect()
    {
        threads.Stop();
        port.Close();
        handle = nullptr;
    }

    bool AwaitFrames(int count)
    {
        return LinkMessageRecorder::WaitUntil([&] { return window.frames.size() >= count; });
    }

    LinkTiming::ScopedScale timing {kFastLink};
    PanelLine line {kNetwork, {1, 2}};
    LinkMessageRecorder window;
    CCommPort port;
    SerialPort* handle = nullptr;
    CLinkThreads threads;
};

