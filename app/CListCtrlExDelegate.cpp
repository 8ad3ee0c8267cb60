#include "app/CListCtrlExDelegate.h"

#include "app/CListCtrlEx.h"
#include "app/TextShortening.h"

#include <QPainter>

namespace {
constexpr int kFirstColumnInset = 2;
constexpr int kOtherColumnInset = 6;
constexpr int kSmallIconSize = 16;
constexpr int kHalfBlend = 128;

// The icon with half of the colour laid over its drawn pixels, as an image
// list blends a cut or selected item's picture.
QPixmap Blended(const QIcon& icon, const QColor& colour)
{
    QPixmap pixmap = icon.pixmap(kSmallIconSize, kSmallIconSize);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor half = colour;
    half.setAlpha(kHalfBlend);
    painter.fillRect(pixmap.rect(), half);
    return pixmap;
}
} // namespace

CListCtrlExDelegate::CListCtrlExDelegate(CListCtrlEx* list) : QStyledItemDelegate(list), m_list(list)
{
}

void CListCtrlExDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QModelIndex first = index.siblingAtColumn(0);
    const int imageIndex = first.data(CListCtrlEx::kImageIndexRole).toInt();
    const int state = first.data(CListCtrlEx::kStateRole).toInt();
    const bool selected = (option.state & QStyle::State_Selected) || (state & CListCtrlEx::kDropHilitedState);
    const QPalette& pal = option.palette;

    painter->save();
    painter->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : m_list->TextBkColor());
    QColor textColor = m_list->RowTextColor(imageIndex);
    if (selected)
        textColor = pal.color(QPalette::HighlightedText);
    else if (!textColor.isValid())
        textColor = pal.color(QPalette::Text);

    QRect rect = option.rect;
    const bool firstColumn = index.column() == 0;
    if (firstColumn) {
        const QPixmap stateImage = m_list->StateImage(state);
        if (!stateImage.isNull())
            painter->drawPixmap(rect.topLeft(), stateImage);
        // The label leaves room for the state image whether or not this row shows one.
        rect.setLeft(rect.left() + m_list->StateImageOffset());
        const QIcon icon = m_list->SmallIcon(imageIndex);
        if (!icon.isNull()) {
            const QRect iconRect(rect.left(), rect.top() + (rect.height() - kSmallIconSize) / 2, kSmallIconSize,
                                 kSmallIconSize);
            if (state & CListCtrlEx::kCutState)
                painter->drawPixmap(iconRect, Blended(icon, m_list->BkColor()));
            else if (selected)
                painter->drawPixmap(iconRect, Blended(icon, pal.color(QPalette::Highlight)));
            else
                icon.paint(painter, iconRect);
            rect.setLeft(iconRect.right() + 1);
        }
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QFontMetrics fm = option.fontMetrics;
        const int offset = firstColumn ? kFirstColumnOffset : kOtherColumnOffset;
        const int inset = firstColumn ? kFirstColumnInset : kOtherColumnInset;
        const QString shown =
            ShortenToFit(text, rect.width(), offset, [&fm](const QString& s) { return fm.horizontalAdvance(s); });
        Qt::Alignment horizontal = Qt::AlignLeft;
        // A shortened text always starts at the left.
        if (!firstColumn && shown == text)
            horizontal = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
        if (!horizontal)
            horizontal = Qt::AlignLeft;
        painter->setPen(textColor);
        painter->drawText(rect.adjusted(inset, 0, -inset, 0), horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                          shown);
    }
    if (selected && (option.state & QStyle::State_HasFocus) && firstColumn) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect;
        focus.state = option.state;
        focus.backgroundColor = pal.color(QPalette::Highlight);
        m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
    }
    painter->restore();
}
