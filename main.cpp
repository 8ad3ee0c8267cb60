#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/ShellHooks.h"
#include "app/CInstallationsDlg.h"
#include "app/CLoginDlg.h"
#include "app/COpenInstallationDlg.h"
#include "app/CModemLinesDlg.h"
#include "app/CStartupDlg.h"
#include "app/TaskState.h"
#include "cardholders/CardholderViews.h"
#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "config/ConfigViews.h"
#include "config/ScheduleBarRegistration.h"
#include "database/ITelephonyLines.h"
#include "image/NetworkPasswords.h"
#include "link/CCommPort.h"
#include "link/CModem.h"
#include "link/LinkConnection.h"
#include "link/LinkTiming.h"
#include "link/ModemTelephonyLines.h"
#include "linkforms/LinkFormHooks.h"
#include "linkforms/LinkViews.h"
#include "reports/ReportViews.h"

#include <QApplication>
#include <QDebug>

#include <cstdint>

namespace {

// The state byte of the network command queue while nothing is built or worked.
constexpr std::uint8_t kQueueIdle = 1;

// The start-up and file dialogs of the installations and operators.
void InstallDialogHooks(CWFApp& app)
{
    ShellHooks& hooks = Hooks();
    hooks.startupDialog = [&app] {
        CStartupDlg dialog;
        dialog.exec();
        app.Settings().m_hideStartupDialog = dialog.DontShowAgain();
    };
    hooks.login = [&app]() -> std::optional<bool> {
        CLoginDlg dialog(app.GetOperators());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.IsAdministrator() != 0;
    };
    hooks.openInstallationDialog = [] {
        COpenInstallationDlg dialog;
        // A new installation is made by File New once the program runs.
        if (dialog.exec() != QDialog::Accepted || dialog.Request().open != 1)
            return QString();
        return dialog.Request().path;
    };
    hooks.installationsDialog = [] {
        CInstallationsDlg dialog(0);
        return dialog.exec() == QDialog::Accepted ? dialog.GetPath() : QString();
    };
}

// The document's commands, and what the shell asks of the document.
void InstallDocumentHooks(CWFApp& app)
{
    ShellHooks& hooks = Hooks();
    const auto command = [&app](void (CWFDoc::*handler)()) {
        return [&app, handler] {
            if (CWFDoc* doc = app.Document())
                (doc->*handler)();
        };
    };
    hooks.commands[CommandId::Backup] = command(&CWFDoc::OnFileBackup);
    hooks.commands[CommandId::Restore] = command(&CWFDoc::OnFileRestore);
    hooks.commands[CommandId::SetupSheet] = command(&CWFDoc::OnSetup);
    hooks.commands[CommandId::FileSaveAs] = command(&CWFDoc::OnFileSaveAs);
    hooks.commands[CommandId::FileNew] = [&app] {
        if (CWFDoc* doc = app.Document())
            doc->OnNewDocument();
    };
    hooks.commands[CommandId::PriorityAccess] = command(&CWFDoc::OnPriorityAccess);
    hooks.commands[CommandId::ClearLastViolated] = [&app] {
        if (CWFDoc* doc = app.Document())
            doc->ClearLastViolation(0, 0);
    };
    hooks.backupReminder = command(&CWFDoc::ShowBackupReminder);
    hooks.queueBusy = [&app] {
        const CWFDoc* doc = app.Document();
        return doc && doc->m_netQueue.m_state != kQueueIdle;
    };
    hooks.resetLinkRunState = [] { NetworkPasswords::Reset(); };
    hooks.requestStopAndClose = [] {
        if (ICommControlForm* form = GetCommControlForm())
            form->RequestStopAndClose();
    };
}

// The COM-port and modem links, and the Dialing page's lines over the modem's.
void InstallLinkHooks(CWFApp& app)
{
    static std::unique_ptr<ModemTelephonyLines> lines;
    const auto linesDialog = [](QWidget* owner) {
        CModemLinesDlg dialog(owner);
        dialog.exec();
    };
    ShellHooks& hooks = Hooks();
    hooks.createLinkObjects = [&app, linesDialog] {
        CommPort = std::make_unique<CCommPort>();
        Modem = std::make_unique<CModem>();
        Modem->SetLineDevice(app.Settings().m_selectedModem);
        Modem->isScheduledRun = [] {
            const TaskMode mode = CurrentTaskMode();
            return mode == TaskMode::Update || mode == TaskMode::SetTime;
        };
        Modem->openLinesDialog = linesDialog;
        lines = std::make_unique<ModemTelephonyLines>(*Modem, linesDialog);
        SetTelephonyLines(lines.get());
    };
    hooks.deleteLinkObjects = [] {
        SetTelephonyLines(nullptr);
        lines.reset();
        Modem.reset();
        CommPort.reset();
    };
}

// WARDIX_LINK_TIME_SCALE (a fraction of real time, above 0 and at most 1)
// shortens the link's waits, so the whole program can be run against
// simulated panels without waiting out real time-outs.
void ApplyLinkTimeScale()
{
    bool ok = false;
    const double scale = qEnvironmentVariable("WARDIX_LINK_TIME_SCALE").toDouble(&ok);
    if (ok && scale > 0.0 && scale <= 1.0)
        LinkTiming::SetScale(scale);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    ApplyLinkTimeScale();
    if (QString message; !EnsureScheduleBarRegistered(QCoreApplication::applicationDirPath(), &message))
        qWarning().noquote() << message;
    CWFApp app;
    InstallDialogHooks(app);
    InstallDocumentHooks(app);
    InstallLinkHooks(app);
    RegisterReportViews();
    RegisterConfigViews();
    RegisterCardholderViews();
    RegisterLinkViews();
    InstallLinkFormHooks();
    return app.Run(qtApp.arguments().mid(1));
}
