#pragma once

class CWFDoc;
class ICommControlForm;
class QObject;

// Reaching the open installation, the communication form and the main window
// from anywhere. Each is null while it does not exist; the owners register
// and unregister themselves, so no caller needs a window to exist.
CWFDoc* GetInstallationDoc();
void SetInstallationDoc(CWFDoc* doc);

ICommControlForm* GetCommControlForm();
void SetCommControlForm(ICommControlForm* form);

QObject* GetMainWindow();
void SetMainWindow(QObject* mainWindow);
