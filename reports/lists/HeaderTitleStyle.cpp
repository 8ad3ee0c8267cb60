#include "reports/lists/HeaderTitleStyle.h"

#include <QStyleOptionHeader>

void HeaderTitleStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element == CE_HeaderLabel) {
        // The second version carries the drag-target state; keep it.
        if (const auto* header = qstyleoption_cast<const QStyleOptionHeaderV2*>(option)) {
            QStyleOptionHeaderV2 fitted(*header);
            FitTitle(fitted);
            QProxyStyle::drawControl(element, &fitted, painter, widget);
            return;
        }
        if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
            QStyleOptionHeader fitted(*header);
            FitTitle(fitted);
            QProxyStyle::drawControl(element, &fitted, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void HeaderTitleStyle::FitTitle(QStyleOptionHeader& header)
{
    const int width = header.rect.width();
    if (header.fontMetrics.horizontalAdvance(header.text) <= width)
        return;
    header.text = header.fontMetrics.elidedText(header.text, Qt::ElideRight, width);
    header.textAlignment = (header.textAlignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
}
