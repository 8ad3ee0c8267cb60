#include "app/WindowPlacement.h"

#include <QStringList>

namespace {
constexpr int kNumberCount = 10;
}

std::optional<WindowPlacement> WindowPlacement::Parse(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < kNumberCount)
        return std::nullopt;
    int numbers[kNumberCount];
    for (int i = 0; i < kNumberCount; ++i) {
        bool ok = false;
        // QString's number parsing ignores the machine's locale.
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<unsigned>(numbers[0]);
    p.showCommand = static_cast<unsigned>(numbers[1]);
    p.minX = numbers[2];
    p.minY = numbers[3];
    p.maxX = numbers[4];
    p.maxY = numbers[5];
    p.normal = QRect(QPoint(numbers[6], numbers[7]), QPoint(numbers[8] - 1, numbers[9] - 1));
    return p;
}

QString WindowPlacement::Format() const
{
    return QString::asprintf("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX, minY, maxX, maxY,
                             normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1);
}

void WindowPlacement::ClampTo(const QRect& available)
{
    if (available.isEmpty())
        return;
    QRect r = normal.normalized();
    r.setWidth(qBound(1, r.width(), available.width()));
    r.setHeight(qBound(1, r.height(), available.height()));
    r.moveLeft(qBound(available.left(), r.left(), available.right() + 1 - r.width()));
    r.moveTop(qBound(available.top(), r.top(), available.bottom() + 1 - r.height()));
    normal = r;
}
