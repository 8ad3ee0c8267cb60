#pragma once

#include "common/ProgramObjects.h"

class CWFDoc;
class QWidget;

// The open installation's document; null while none exists. The document
// registers itself, also as the lower layers' view of it.
CWFDoc* GetInstallationDoc();
void SetInstallationDoc(CWFDoc* doc);

// A pane of the main window: (0, 1) the right pane, (0, 0) the upper and
// (1, 0) the lower left pane; null for any other place or without a main window.
QWidget* GetPaneWindow(int row, int column);
