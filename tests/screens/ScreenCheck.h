#pragma once

#include <QStringList>

class QLineEdit;
class QWidget;

// What an operator would find wrong in a shown window: a field too narrow to
// read, a caption cut off, a page area that shows no page, widgets lying on
// one another or cut off by their parent. Each fault is one line naming the
// widget.
namespace ScreenCheck {

// Characters an edit must show, or its whole maximum length when shorter.
constexpr int kReadableCharacters = 10;

QStringList Faults(QWidget* window);

// Whether a window is as wide as its texts need: a title the frame would
// cut, a list that scrolls sideways.
QStringList FitFaults(QWidget* window);

// Whether the edit shows that many average characters without scrolling.
bool Shows(const QLineEdit* edit, int characters);

} // namespace ScreenCheck
