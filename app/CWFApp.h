#pragma once

#include "app/CColumnWidths.h"
#include "app/CProgressDialogFactory.h"
#include "app/CTaskStepDriver.h"
#include "app/DaylightSavingWatch.h"
#include "app/PrintSetup.h"
#include "common/IProgramLogs.h"
#include "database/COperatorStore.h"

#include <QDateTime>
#include <QStringList>
#include <QTimer>

#include <array>
#include <memory>

class CLogFile;
class CMainFrame;
class CSingleInstance;
class TaskLogMessageBoxes;
class CWFDoc;
struct CommandLineRequest;

// The application object: starts the program, drives scheduled tasks from
// idle time, handles the file commands and finishes the run.
class CWFApp : public IProgramLogs
{
public:
    CWFApp();
    ~CWFApp() override;
    CWFApp(const CWFApp&) = delete;
    CWFApp& operator=(const CWFApp&) = delete;

    // Runs the program with its command line (after the program name);
    // returns the exit code.
    int Run(const QStringList& arguments);

    // Start-up and exit; a false start-up ends the program.
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();
    bool IsInitialised() const { return m_initialised; }

    // One idle call of the event loop.
    void OnIdle();

    // Queues a new time for the networks when their daylight-saving state
    // changed since the installation was last used (atStartup) or since the
    // last clock tick.
    void CheckDaylightSavingChange(bool atStartup);
    // Queues a time setting for every active network and lets the
    // communication form serve the queue.
    void QueueSetTimeForAllNetworks();

    // Clears the run state of the link and of the task steps.
    void ResetRunState();

    // "Version"/"Installation Version" of an installation file; 1.x is
    // rewritten as "2.00". The value read is returned.
    static double ReadInstallationVersion(const QString& path);
    static void ShowUsage();

    // Application commands of the main window.
    bool HandlesCommand(unsigned command) const;
    void OnCommand(unsigned command);
    bool OnOpenRecentFile(unsigned command);
    QString GetProgramDateStamp() const;

    // The most recent installations, newest first.
    const QStringList& RecentFiles() const { return m_recentFiles; }
    // Opens an installation file in the document; true on success.
    bool OpenDocumentFile(const QString& path);
    // An installation failed to open once the program runs: the one open
    // before opens again and the operator is told; where there is none, or it
    // is the one that failed, the program closes. The profile and the recent
    // list are kept either way.
    void OnOpenFailed(const QString& failedFolder, const QString& failedPath, const QString& previousPath);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // The printer chosen with Print Setup, for the reports.
    PrintSetup& GetPrintSetup() { return m_printSetup; }
    CWFDoc* Document() const { return m_doc.get(); }

    // Profile settings: read once at start-up, written back at exit.
    void LoadSettings();
    void SaveSettings() const;
    void ClearInstallationLists() const;
    void ClearRecentFileList() const;
    int GetBackupWarning() const { return m_settings.m_backupWarning; }
    void SetBackupWarning(int enabled) { m_settings.m_backupWarning = enabled; }

    CColumnWidths& Settings() { return m_settings; }
    const CColumnWidths& Settings() const { return m_settings; }

    // The operator logged in at start-up; nobody (every right) until then.
    COperatorStore& GetOperators() { return m_operators; }
    const COperatorStore& GetOperators() const { return m_operators; }
    bool SelectOperator(int slot) { return m_operators.SelectOperator(slot); }

    // The two text logs: 0 "Bindings.log", 1 "DownloadEventlog.log".
    void OpenLogs();
    void CloseLogs();
    void LogToFile(int log, const QString& text) override;

private:
    bool ClaimSingleInstance();
    bool OpenStartupInstallation(const CommandLineRequest& request);
    bool OpenMostRecentInstallation();
    // Opens an installation file at start-up, with the checks of the most
    // recent one (mostRecent: it is the recent list's first entry).
    bool OpenStartupFile(const QString& file, bool mostRecent);
    bool OpenNamedInstallation(const QString& name);
    void ReadMostRecentFileTime();
    void ShowFirstView();
    void BeginTaskRun(const CommandLineRequest& request);
    // Writes the task log's start line once; false when the log cannot be written.
    bool WriteTaskLogStart();
    void WriteTaskLogLine(const QString& line);
    void StartIdleDriver();
    void LoadRecentFileList();
    void SaveRecentFileList() const;
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnFilePrintSetup();
    static void ResetNetworkAndNodeStates();

    CColumnWidths m_settings;
    COperatorStore m_operators;
    CProgressDialogFactory m_progressFactory;
    std::array<std::unique_ptr<CLogFile>, 2> m_logs;
    CTaskStepDriver m_taskDriver;
    DaylightSavingWatch m_dstWatch;
    PrintSetup m_printSetup;
    QDateTime m_lastUsed;
    QString m_taskInstallationName;
    bool m_taskLogStarted = false;
    std::unique_ptr<TaskLogMessageBoxes> m_taskBoxes;
    QStringList m_recentFiles;
    std::unique_ptr<CSingleInstance> m_singleInstance;
    std::unique_ptr<CWFDoc> m_doc;
    std::unique_ptr<CMainFrame> m_mainFrame;
    QTimer m_idleKick;
    bool m_initialised = false;
    bool m_startedUp = false;
};

// The one application object, or null when none exists.
CWFApp* GetApp();
