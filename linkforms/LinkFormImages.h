#pragma once

#include <QPixmap>

// The communication form's pictures, drawn in code so the program carries no
// image files.
namespace LinkFormImages {
// The Program button with nothing to program, and with data to program.
QPixmap ProgramIdle();
QPixmap ProgramData();
QPixmap EventLog();
QPixmap OnOffLine();
// The send and receive lamps.
QPixmap Lamp();
} // namespace LinkFormImages
