#include "common/ProgramObjects.h"

namespace {
IInstallationDocument* g_document = nullptr;
IOperatorRights* g_operatorRights = nullptr;
IProgramLogs* g_programLogs = nullptr;
IProgressFactory* g_progressFactory = nullptr;
ICommControlForm* g_commForm = nullptr;
QObject* g_mainWindow = nullptr;
} // namespace

IInstallationDocument* GetOpenInstallation()
{
    return g_document;
}

void SetOpenInstallation(IInstallationDocument* document)
{
    g_document = document;
}

IOperatorRights* GetOperatorRights()
{
    return g_operatorRights;
}

void SetOperatorRights(IOperatorRights* rights)
{
    g_operatorRights = rights;
}

IProgramLogs* GetProgramLogs()
{
    return g_programLogs;
}

void SetProgramLogs(IProgramLogs* logs)
{
    g_programLogs = logs;
}

IProgressFactory* GetProgressFactory()
{
    return g_progressFactory;
}

void SetProgressFactory(IProgressFactory* factory)
{
    g_progressFactory = factory;
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
