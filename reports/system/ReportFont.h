#pragma once

#include <QFont>
#include <QString>

// The report face at a size. The stored faces are seldom installed here, so
// Qt is asked for a face of the same kind: fixed pitch for "Courier New",
// which the listing's columns need, serif for "Times New Roman". Where
// "Courier New" finds no fixed-pitch face, the system's fixed font stands in.
QFont ReportFont(const QString& face, int pointSize);
