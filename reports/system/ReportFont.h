#pragma once

#include <QFont>
#include <QString>

// The report face at a size. The stored faces are seldom installed here, so
// Qt is asked for a face of the same kind: fixed pitch for "Courier New",
// which the listing's columns need, serif for "Times New Roman". Where what
// "Courier New" finds does not draw fixed pitch, a face that does stands in,
// the system's fixed font first.
QFont ReportFont(const QString& face, int pointSize);

// The font when it draws fixed pitch; otherwise the first face at its point
// size that does: the system's fixed font, then the installed families, those
// marked fixed pitch first. The font itself when none does.
QFont FixedPitchFace(const QFont& font);

// True when the font draws every character the listing uses (printable
// ASCII, and the Latin-1 letters of the names a panel holds) with one
// advance. Measured, not taken from the face's flag: fontconfig leaves many
// monospaced faces unmarked.
bool DrawsFixedPitch(const QFont& font);
