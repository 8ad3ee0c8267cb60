#include "app/CLineButton.h"

#include <QPainter>

namespace {
constexpr int kIconLeft = 4;
constexpr int kIconMargin = 4;
constexpr int kCaptionGap = 10;
constexpr int kBaselineDrop = 5;
constexpr int kDarkPenWidth = 4;
constexpr int kLightPenWidth = 2;
} // namespace

void CLineButton::SetIconText(const QIcon& icon, const QString& caption, int iconSize)
{
    m_icon = icon;
    m_caption = caption;
    m_iconSize = iconSize;
    update();
}

void CLineButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const int middle = r.height() / 2;
    m_icon.paint(&painter, QRect(kIconLeft, middle - (m_iconSize + kIconMargin) / 2, m_iconSize, m_iconSize));
    painter.setPen(Qt::black);
    painter.drawText(QPoint(m_iconSize + kCaptionGap, middle + kBaselineDrop), m_caption);
    painter.setPen(QPen(Qt::black, kDarkPenWidth));
    painter.drawLine(r.bottomLeft(), r.topLeft());
    painter.drawLine(r.topLeft(), r.topRight());
    painter.setPen(QPen(Qt::white, kLightPenWidth));
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.drawLine(r.bottomRight(), r.bottomLeft());
}
