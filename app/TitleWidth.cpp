#include "app/TitleWidth.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

// The frame's icon and its minimize, maximize and close buttons, each about
// two lines of the title's font wide, and a line of margin.
constexpr int kFrameButtons = 4;
constexpr int kLinesPerButton = 2;
constexpr int kMarginLines = 1;

} // namespace

int TitleBarWidth(const QWidget* window)
{
    // Most frames draw the title in bold.
    QFont font = window->font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(window->windowTitle())
           + (kFrameButtons * kLinesPerButton + kMarginLines) * metrics.height();
}

void WidenToTitle(QWidget* window)
{
    window->setMinimumWidth(std::max(window->minimumWidth(), TitleBarWidth(window)));
}
