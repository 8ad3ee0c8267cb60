#include "app/CListCtrlEx2.h"

namespace {
constexpr int kBlueRowBit = 0x80;
constexpr int kIconMask = 0x7F;
} // namespace

QColor CListCtrlEx2::RowTextColor(int imageIndex) const
{
    if (Mode() != kColouredMode)
        return QColor();
    return (imageIndex & kBlueRowBit) ? QColor(0, 0, 255) : CListCtrlEx::RowTextColor(0);
}

int CListCtrlEx2::IconIndex(int imageIndex) const
{
    return imageIndex & kIconMask;
}
