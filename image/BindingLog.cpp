#include "image/BindingLog.h"

#include "app/CLogFile.h"
#include "app/CWFApp.h"

void LogBinding(const QString& text)
{
    if (CWFApp* app = GetApp())
        app->LogToFile(CLogFile::Bindings, text);
}
