#pragma once

#include <QPoint>
#include <QRect>

#include <span>

// The clickable areas of the navigation-help screen, in dialog units of its
// 377 x 285 form, in the order a click searches them.
struct NavigationArea
{
    int order;
    int groupBox;
    QRect rect;
    unsigned command;
    bool toCommForm; // else to the main window
    const char* text;
};

inline constexpr int kNavigationFormWidth = 377;
inline constexpr int kNavigationFormHeight = 285;

std::span<const NavigationArea> NavigationAreas();

// The frame that only explains the screen.
QRect NavigationInformationRect();
inline constexpr const char* kNavigationInformationText = "Displays this toolbar information screen.";

// The first area holding the point; the connect area is passed over while
// connected. Null outside every area.
const NavigationArea* NavigationHitTest(const QPoint& dialogUnits, bool connected);
