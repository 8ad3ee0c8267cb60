#include "image/IBindDocument.h"

namespace {
IBindDocument* g_bindDocument = nullptr;
} // namespace

IBindDocument* GetBindDocument()
{
    return g_bindDocument;
}

void SetBindDocument(IBindDocument* document)
{
    g_bindDocument = document;
}
