#include "linkforms/DoorStateIcons.h"

#include "link/DoorMonitoring.h"

#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kIconSize = 16;
constexpr int kInset = 2;
} // namespace

QList<QIcon> DoorStateIcons()
{
    static const QColor kColours[DoorMonitoring::kImageCount] = {
        Qt::lightGray, Qt::darkGray, Qt::green, Qt::blue, Qt::red,
        QColor(255, 128, 0), Qt::darkBlue, Qt::darkGreen, Qt::yellow,
    };
    QList<QIcon> icons;
    for (const QColor& colour : kColours) {
        QPixmap pixmap(kIconSize, kIconSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.setBrush(colour);
        painter.drawRect(kInset, kInset, kIconSize - 2 * kInset - 1, kIconSize - 2 * kInset - 1);
        icons << QIcon(pixmap);
    }
    return icons;
}
