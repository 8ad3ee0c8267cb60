#pragma once

// Command identifiers the main frame dispatches on (WM_COMMAND's wParam).
namespace CommandId {
// Views.
inline constexpr unsigned CardholdersView = 1023;
inline constexpr unsigned CredentialsView = 1029;
inline constexpr unsigned EventLogReport = 1034;
inline constexpr unsigned GlobalSettings = 1309;
inline constexpr unsigned MonitorView = 32806;
inline constexpr unsigned NetworkView = 32816;
inline constexpr unsigned TimeAndCalendar = 32873;
inline constexpr unsigned PrintReports = 32879;
inline constexpr unsigned NavigationView = 32884;

// Toolbar drop-downs and frame commands.
inline constexpr unsigned ReportsMenu = 106;
inline constexpr unsigned BackupRestoreMenu = 109;
inline constexpr unsigned SetupMenu = 111;
inline constexpr unsigned SetupSheet = 32808;
inline constexpr unsigned Backup = 32854;
inline constexpr unsigned Restore = 32855;
inline constexpr unsigned SetInstallationTime = 32880;
inline constexpr unsigned PriorityAccess = 32882;
inline constexpr unsigned TestModeToggle = 32903;
inline constexpr unsigned BackupWarningToggle = 32906;
inline constexpr unsigned ClearLastViolated = 32911;
inline constexpr unsigned UnhandledToolbarButton = 32912;

// Buttons of the communication form.
inline constexpr unsigned OnOffLine = 2156;
inline constexpr unsigned ProgramNetwork = 1307;
inline constexpr unsigned CollectEventLogs = 1733;

// Application commands.
inline constexpr unsigned FileNew = 57600;
inline constexpr unsigned FileOpen = 57601;
inline constexpr unsigned FileSaveAs = 57604;
inline constexpr unsigned FilePrintSetup = 57606;
inline constexpr unsigned FileMruFirst = 57616;
inline constexpr unsigned FileMruLast = 57631;
inline constexpr unsigned AppAbout = 57664;
inline constexpr unsigned AppExit = 57665;
inline constexpr unsigned HelpIndex = 57666;
inline constexpr unsigned HelpFinder = 57667;
inline constexpr unsigned ContextHelp = 57669;
inline constexpr unsigned Help = 57670;
inline constexpr unsigned DefaultHelp = 57671;
} // namespace CommandId
