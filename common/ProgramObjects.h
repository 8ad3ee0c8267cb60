#pragma once

class ICommControlForm;
class IInstallationDocument;
class IOperatorRights;
class IProgramLogs;
class IProgressFactory;
class QObject;

// Reaching the open installation, the logged-in operator, the logs, the
// progress displays, the communication form and the main window from any
// layer. Each is null while it does not exist; the owners register and
// unregister themselves, so no caller needs a window to exist.
IInstallationDocument* GetOpenInstallation();
void SetOpenInstallation(IInstallationDocument* document);

IOperatorRights* GetOperatorRights();
void SetOperatorRights(IOperatorRights* rights);

IProgramLogs* GetProgramLogs();
void SetProgramLogs(IProgramLogs* logs);

IProgressFactory* GetProgressFactory();
void SetProgressFactory(IProgressFactory* factory);

ICommControlForm* GetCommControlForm();
void SetCommControlForm(ICommControlForm* form);

QObject* GetMainWindow();
void SetMainWindow(QObject* mainWindow);
