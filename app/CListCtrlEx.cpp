#include "app/CListCtrlEx.h"

#include "app/CListCtrlExDelegate.h"

#include <array>

namespace {

// Text colours of the coloured mode by image index; index 0 is the list's own.
const std::array<QColor, 5> kModeColors = {QColor(), QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255),
                                           QColor(255, 0, 255)};

} // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : QTreeWidget(parent),
      m_textColor(palette().color(QPalette::WindowText)),
      m_textBkColor(palette().color(QPalette::Base)),
      m_bkColor(palette().color(QPalette::Base))
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setItemDelegate(new CListCtrlExDelegate(this));
}

void CListCtrlEx::SetBkColor(const QColor& color)
{
    m_bkColor = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

QIcon CListCtrlEx::SmallIcon(int imageIndex) const
{
    const int i = IconIndex(imageIndex);
    return i >= 0 && i < m_smallImages.size() ? m_smallImages[i] : QIcon();
}

void CListCtrlEx::SetStateImageList(const QList<QPixmap>& images)
{
    m_stateImages = images;
    m_stateImageOffset = images.isEmpty() ? 0 : images.first().width();
}

QPixmap CListCtrlEx::StateImage(int state) const
{
    const int n = (state & kStateImageMask) >> kStateImageShift;
    return n > 0 && n <= m_stateImages.size() ? m_stateImages[n - 1] : QPixmap();
}

QColor CListCtrlEx::RowTextColor(int imageIndex) const
{
    if (m_mode != kColouredMode)
        return QColor();
    // Indexes beyond the table keep the list's own colour.
    if (imageIndex <= 0 || imageIndex >= static_cast<int>(kModeColors.size()))
        return m_textColor;
    return kModeColors[imageIndex];
}
