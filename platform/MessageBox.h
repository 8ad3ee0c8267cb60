#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one message-box function of the program. Every text the operator sees in
// a box goes through ShowMessageBox, so tests can script the answers.

enum class MbIcon { None, Information, Exclamation, Stop, Question };
enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
// The button Enter presses: the second one for a question whose first
// answer cannot be undone.
enum class MbDefault { First, Second };

// Button results keep the Windows numbers: callers and stored logic compare them.
enum MbResult { IDOK = 1, IDCANCEL = 2, IDRETRY = 4, IDYES = 6, IDNO = 7 };

struct MessageBoxRequest
{
    QString text;
    QString title;
    MbIcon icon = MbIcon::None;
    MbButtons buttons = MbButtons::Ok;
    MbDefault defaultButton = MbDefault::First;
};

using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;

// Title used before the main window exists; afterwards the program's name.
inline constexpr const char* kStartupBoxTitle = "Wardenfold Error";
inline constexpr const char* kMainBoxTitle = "Wardix";

// Shows the box and returns the MbResult of the pressed button. An empty title
// takes the default for the current stage (no owner yet: "Wardenfold Error").
int ShowMessageBox(const QString& text, MbButtons buttons = MbButtons::Ok,
                   MbIcon icon = MbIcon::None, const QString& title = {},
                   MbDefault defaultButton = MbDefault::First);

// The main window becomes the owner once it exists; null before and after.
void SetMessageBoxOwner(QWidget* owner);
QWidget* MessageBoxOwner();

// Replaces how boxes are presented (tests); returns the previous presenter.
// An empty presenter restores the real dialog.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
