#pragma once

#include <QRect>
#include <QString>

#include <optional>

// The main window's placement as the profile keeps it ("Settings"/"WindowPos"):
// flags, show command, minimised x, y, maximised x, y, normal left, top, right, bottom.
struct WindowPlacement
{
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;
    static constexpr int kShow = 5;
    static constexpr int kRestore = 9;
    static constexpr unsigned kRestoreToMaximized = 2; // flags bit

    unsigned flags = 0;
    unsigned showCommand = kShowNormal;
    int minX = -1, minY = -1, maxX = -1, maxY = -1;
    QRect normal;

    // Ten numbers in the C locale; anything less reads as no placement.
    static std::optional<WindowPlacement> Parse(const QString& text);
    QString Format() const;

    // The normal rectangle moved and shrunk to lie on the available screen area.
    void ClampTo(const QRect& available);
};
