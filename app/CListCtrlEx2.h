#pragma once

#include "app/CListCtrlEx.h"

// The list of the credential views: bit 7 of the image index marks a row drawn
// in blue, the low seven bits choose its picture.
class CListCtrlEx2 : public CListCtrlEx
{
    Q_OBJECT
public:
    explicit CListCtrlEx2(QWidget* parent = nullptr) : CListCtrlEx(parent) {}

    QColor RowTextColor(int imageIndex) const override;
    int IconIndex(int imageIndex) const override;
};
