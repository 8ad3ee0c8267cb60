#include "app/CWFDoc.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "tests/link/FakeLinkParts.h"

#include <QApplication>
#include <QTimer>

// The stored commands of the installation named on the command line sent
// through the link engine, at the link's time scale given after it, in a
// process of its own that the crash test kills at points of its choosing.
// The program folder and the profile (with the panel line's port) come from
// WARDIX_HOME and WARDIX_PROFILE.
int main(int argc, char** argv)
{
    constexpr int kCheckMs = 5;
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    LinkTiming::SetScale(QString::fromLatin1(argv[2]).toDouble());
    CWFDoc doc;
    if (!doc.OnOpenDocument(QString::fromLocal8Bit(argv[1])))
        return 2;
    ResetLinkRunState();
    NetQueueState.fill(kNetworkStateNormal);
    CommPort = std::make_unique<CCommPort>();
    CSerialTransport transport;
    FakeLinkHost host;
    CCommLink link(doc.m_netQueue, doc, transport, host);
    link.FillNetworkCombo();
    if (!link.Connect())
        return 3;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, &app, [&] {
        if (doc.GetPendingCommandCount() == 0 && !link.IsInFlight())
            app.quit();
    });
    done.start(kCheckMs);
    app.exec();
    link.Disconnect();
    CommPort.reset();
    doc.OnCloseDocument();
    return 0;
}
