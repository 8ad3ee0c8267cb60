#include "database/DatabaseErrors.h"

#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

void ShowDatabaseError(const DatabaseException& error)
{
    ShowMessageBox(error.Description(), MbButtons::Ok, MbIcon::Exclamation);
}

void ShowDatabaseExceptionReport(const DatabaseException& error)
{
    ShowMessageBox(QStringLiteral("DAO Database exception"));
    ShowDatabaseError(error);
}

void ShowMemoryExceptionReport()
{
    ShowMessageBox(QStringLiteral("Memory exception - out of memory"));
}
