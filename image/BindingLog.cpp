#include "image/BindingLog.h"

#include "common/CLogFile.h"
#include "common/IProgramLogs.h"
#include "common/ProgramObjects.h"

void LogBinding(const QString& text)
{
    if (IProgramLogs* logs = GetProgramLogs())
        logs->LogToFile(CLogFile::Bindings, text);
}
