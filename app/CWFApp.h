#pragma once

#include "app/CColumnWidths.h"

#include <QStringList>

#include <array>
#include <memory>

class CLogFile;

// The application object: owns the run's settings record and text logs.
class CWFApp
{
public:
    CWFApp();
    ~CWFApp();
    CWFApp(const CWFApp&) = delete;
    CWFApp& operator=(const CWFApp&) = delete;

    // Runs the program with its command line; returns the exit code.
    int Run(const QStringList& arguments);

    // Profile settings: read once at start-up, written back at exit.
    void LoadSettings();
    void SaveSettings() const;
    void ClearInstallationLists() const;
    void ClearRecentFileList() const;
    int GetBackupWarning() const { return m_settings.m_backupWarning; }
    void SetBackupWarning(int enabled) { m_settings.m_backupWarning = enabled; }

    CColumnWidths& Settings() { return m_settings; }
    const CColumnWidths& Settings() const { return m_settings; }

    // The two text logs: 0 "Bindings.log", 1 "DownloadEventlog.log".
    void OpenLogs();
    void CloseLogs();
    void LogToFile(int log, const QString& text);

private:
    CColumnWidths m_settings;
    std::array<std::unique_ptr<CLogFile>, 2> m_logs;
};

// The one application object, or null when none exists.
CWFApp* GetApp();
