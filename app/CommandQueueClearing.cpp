#include "app/CommandQueueClearing.h"

#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "platform/MessageBox.h"

#include <QDir>

bool ClearCommandQueue(CWFDoc& doc)
{
    MarkDataToProgram();
    ICommControlForm* form = GetCommControlForm();
    const bool cleared = form ? form->ClearQueue() : doc.ClearNetCommands();
    QDir folder(doc.BuildPath(CWFDoc::kLastProgrammed, QString()));
    bool filesRemoved = true;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        filesRemoved = folder.remove(name) && filesRemoved;
    if (!filesRemoved)
        ShowMessageBox(QStringLiteral("Error clearing the commands folder!"));
    return cleared && filesRemoved;
}
