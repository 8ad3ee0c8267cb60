#pragma once

#include "common/ProgramObjects.h"

class CWFDoc;

// The open installation's document; null while none exists. The document
// registers itself, also as the lower layers' view of it.
CWFDoc* GetInstallationDoc();
void SetInstallationDoc(CWFDoc* doc);
