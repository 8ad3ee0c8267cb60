#include "linkforms/FirmwareUpdate.h"

#include "app/CWFDoc.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "linkforms/ProcessEndWatch.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

std::optional<FirmwareUpdate> FirmwareUpdate::ForNode(const CWFDoc& doc, int net, int node, int modemNumber)
{
    try {
        if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net))) {
            ShowMessageBox(QStringLiteral("This network has not been initialized."));
            return std::nullopt;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
    const QString phone =
        (g_setVLNetworks.m_CountryAndAreaCode ? g_setVLNetworks.m_AreaCode : QString()) + g_setVLNetworks.m_PhoneNo;
    const int connection = g_setVLNetworks.m_ConnectUsing != 0 ? g_setVLNetworks.m_ConnectUsing : -modemNumber;
    const auto quoted = [](const QString& value) { return QLatin1Char('"') + value + QLatin1Char('"'); };
    FirmwareUpdate update;
    update.program = doc.BuildPath(CWFDoc::kReflasher, QString());
    update.arguments = {
        QStringLiteral("Password=") + quoted(g_setVLNetworks.m_Password),
        QStringLiteral("NodeID=") + QString::number(node),
        QStringLiteral("NetID=") + QString::number(net),
        QStringLiteral("PhoneNumber=") + quoted(phone),
        QStringLiteral("Connection=") + quoted(QString::number(connection)),
    };
    return update;
}

FirmwareUpdate::Outcome FirmwareUpdate::Run(std::chrono::milliseconds bound) const
{
    qint64 pid = 0;
    // Detached: the update outlives a program that is closed meanwhile.
    if (!QProcess::startDetached(program, arguments, QString(), &pid))
        return Outcome::NotStarted;
    QEventLoop loop;
    ProcessEndWatch watch(pid);
    QObject::connect(&watch, &ProcessEndWatch::ended, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QProgressDialog box(QStringLiteral("Please wait while the firmware update program runs..."), QString(), 0, 0);
    box.setWindowTitle(QStringLiteral("Firmware Update"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setMinimumDuration(0);
    if (!watch.HasEnded()) {
        limit.start(bound);
        box.show();
        loop.exec();
    }
    box.hide();
    if (watch.HasEnded())
        return Outcome::Ended;
    ShowMessageBox(QStringLiteral("The firmware update program is still running.\n\n"
                                  "Wardix has stopped waiting for it; it has not been stopped."),
                   MbButtons::Ok, MbIcon::Exclamation);
    return Outcome::StillRunning;
}
