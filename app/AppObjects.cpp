#include "app/AppObjects.h"

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
