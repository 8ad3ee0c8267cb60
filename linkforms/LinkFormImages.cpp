#include "linkforms/LinkFormImages.h"

#include <QPainter>

namespace {
constexpr int kButtonImageSize = 32;
constexpr int kLampSize = 12;
constexpr int kMargin = 4;

QPixmap Blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A network symbol: three linked panels; the colour says whether data waits.
QPixmap Network(const QColor& colour)
{
    QPixmap pixmap = Blank(kButtonImageSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    const int box = kButtonImageSize / 4;
    painter.drawLine(kMargin + box / 2, kButtonImageSize / 2, kButtonImageSize - kMargin - box / 2, kButtonImageSize / 2);
    for (int x : {kMargin, (kButtonImageSize - box) / 2, kButtonImageSize - kMargin - box})
        painter.drawRect(x, (kButtonImageSize - box) / 2, box, box);
    return pixmap;
}
} // namespace

namespace LinkFormImages {

QPixmap ProgramIdle()
{
    return Network(Qt::lightGray);
}

QPixmap ProgramData()
{
    return Network(QColor(255, 200, 0));
}

QPixmap EventLog()
{
    QPixmap pixmap = Blank(kButtonImageSize);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(kMargin, kMargin / 2, kButtonImageSize - 2 * kMargin, kButtonImageSize - kMargin);
    for (int y = 2 * kMargin; y < kButtonImageSize - kMargin; y += kMargin)
        painter.drawLine(2 * kMargin, y, kButtonImageSize - 2 * kMargin, y);
    return pixmap;
}

QPixmap OnOffLine()
{
    QPixmap pixmap = Blank(kButtonImageSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGreen, 3));
    painter.drawArc(kMargin, kMargin, kButtonImageSize - 2 * kMargin, kButtonImageSize - 2 * kMargin, 120 * 16, 300 * 16);
    painter.drawLine(kButtonImageSize / 2, kMargin / 2, kButtonImageSize / 2, kButtonImageSize / 2);
    return pixmap;
}

QPixmap Lamp()
{
    QPixmap pixmap = Blank(kLampSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGreen);
    painter.setBrush(Qt::green);
    painter.drawEllipse(1, 1, kLampSize - 2, kLampSize - 2);
    return pixmap;
}

} // namespace LinkFormImages
