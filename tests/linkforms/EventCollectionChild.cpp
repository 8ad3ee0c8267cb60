#include "app/CWFDoc.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/EventLogCollector.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "tests/link/FakeLinkParts.h"

#include <QApplication>

// A collection of the installation's network A, named on the command line
// with the link's time scale, in a process of its own that the crash test
// kills at a point of its choosing. The program folder and the profile (with
// the panel line's port) come from WARDIX_HOME and WARDIX_PROFILE.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    LinkTiming::SetScale(QString::fromLatin1(argv[2]).toDouble());
    CWFDoc doc;
    if (!doc.OnOpenDocument(QString::fromLocal8Bit(argv[1])))
        return 2;
    ResetLinkRunState();
    CommPort = std::make_unique<CCommPort>();
    CSerialTransport transport;
    FakeLinkHost host;
    CCommLink link(doc.m_netQueue, doc, transport, host);
    link.FillNetworkCombo();
    if (!link.Connect())
        return 3;
    std::uint8_t directoryCodeLength = 0;
    doc.DirectoryCodeLength(directoryCodeLength, 1);
    EventLogCollector collector(link, doc.m_netQueue, directoryCodeLength);
    QObject::connect(&collector, &EventLogCollector::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!collector.Start())
        return 4;
    app.exec();
    link.Disconnect();
    CommPort.reset();
    doc.OnCloseDocument();
    return 0;
}
