#include "app/AppObjects.h"

namespace {
CWFDoc* g_doc = nullptr;
ICommControlForm* g_commForm = nullptr;
QObject* g_mainWindow = nullptr;
} // namespace

CWFDoc* GetInstallationDoc()
{
    return g_doc;
}

void SetInstallationDoc(CWFDoc* doc)
{
    g_doc = doc;
}

ICommControlForm* GetCommControlForm()
{
    return g_commForm;
}

void SetCommControlForm(ICommControlForm* form)
{
    g_commForm = form;
}

QObject* GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(QObject* mainWindow)
{
    g_mainWindow = mainWindow;
}
