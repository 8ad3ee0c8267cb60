#pragma once

class QLabel;
class QSpinBox;
class QString;
class QWidget;

// Shared looks of the editor pages.
namespace PageLayout {

// Heights of a schedule bar row: the first bar of a page also shows the scale.
inline constexpr int kTallBarHeight = 30;
inline constexpr int kBarHeight = 15;
inline constexpr int kBarMinimumWidth = 240;
// A privilege right needed to change the installation-wide settings.
inline constexpr int kGlobalProgrammingPrivilege = 5;

// A spin that steps around its range and takes no typing, as the number
// beside it is only set by its arrows.
void MakeWrappingSpin(QSpinBox* spin, int minimum, int maximum);

// Explanations on a page are blue, warnings red.
enum class NoteKind { Explanation, Warning };
QLabel* MakeNote(const QString& text, NoteKind kind, QWidget* parent);

} // namespace PageLayout
