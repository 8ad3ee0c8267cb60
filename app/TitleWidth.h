#pragma once

class QWidget;

// A window manager cuts a title its frame is too narrow for, and a dialog
// laid out for its controls alone is often narrower than its own title.

// The width a window needs to show its title whole beside the frame's icon
// and buttons.
int TitleBarWidth(const QWidget* window);

// Makes the window at least that wide; call once its title is set.
void WidenToTitle(QWidget* window);
