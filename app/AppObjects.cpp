#include "app/AppObjects.h"

#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "image/IBindDocument.h"

namespace {
CWFDoc* g_doc = nullptr;
} // namespace

CWFDoc* GetInstallationDoc()
{
    return g_doc;
}

void SetInstallationDoc(CWFDoc* doc)
{
    g_doc = doc;
    SetOpenInstallation(doc);
    SetBindDocument(doc);
}

QWidget* GetPaneWindow(int row, int column)
{
    const auto* frame = qobject_cast<const CMainFrame*>(GetMainWindow());
    if (!frame)
        return nullptr;
    if (row == 0 && column == 1)
        return frame->RightView();
    if (row == 0 && column == 0)
        return frame->UpperLeftView();
    if (row == 1 && column == 0)
        return frame->CommView();
    return nullptr;
}
