#pragma once

#include <QString>

class QLineEdit;

// The shared panel-text check on a field the operator changed: a refused
// field takes the focus with its text selected, so the operator sees what to
// change.
bool CheckPanelTextField(const QString& name, QLineEdit* field);
