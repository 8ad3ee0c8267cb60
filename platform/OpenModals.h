#pragma once

class QWidget;

// True while a modal dialog or a popup menu is open that the widget, or a
// widget inside it, owns, and while any message box is open: message boxes
// are owned by the main window whoever asks. The code that opened it is still
// on the stack below the dialog's own event loop, so the widget must outlive it.
bool HasOpenModal(const QWidget* widget);
