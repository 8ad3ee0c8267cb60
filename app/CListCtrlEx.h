#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QTreeWidget>

// A report list that highlights a selected row across every column and, in
// its coloured mode, draws a row's text in the colour of the row's image index.
// Texts too wide for their column end in "...".
class CListCtrlEx : public QTreeWidget
{
    Q_OBJECT
public:
    // The row's image index lives in column 0 under this role.
    static constexpr int kImageIndexRole = Qt::UserRole + 1;
    // The row's state bits, in column 0, as a list view keeps them.
    static constexpr int kStateRole = Qt::UserRole + 2;
    static constexpr int kCutState = 0x0004;
    static constexpr int kDropHilitedState = 0x0008;
    static constexpr int kStateImageMask = 0xF000;
    static constexpr int kStateImageShift = 12;
    static constexpr int kColouredMode = 1;

    explicit CListCtrlEx(QWidget* parent = nullptr);

    void SetExtendedMode(int mode) { m_mode = mode; }
    int Mode() const { return m_mode; }

    void SetTextColor(const QColor& color) { m_textColor = color; }
    void SetTextBkColor(const QColor& color) { m_textBkColor = color; }
    void SetBkColor(const QColor& color);
    QColor TextBkColor() const { return m_textBkColor; }

    void SetSmallImageList(const QList<QIcon>& icons) { m_smallImages = icons; }
    // The picture of a row, or a null icon.
    QIcon SmallIcon(int imageIndex) const;
    // Column 0 gives its first pixels, as wide as these images, to the state image.
    void SetStateImageList(const QList<QPixmap>& images);
    // State image n of a row is image n - 1; null for none.
    QPixmap StateImage(int state) const;
    int StateImageOffset() const { return m_stateImageOffset; }
    QColor BkColor() const { return m_bkColor; }

    // The colour a row's text is drawn in; invalid when the mode sets none.
    virtual QColor RowTextColor(int imageIndex) const;
    // Which small image an image index draws.
    virtual int IconIndex(int imageIndex) const { return imageIndex; }

private:
    QColor m_textColor;
    QColor m_textBkColor;
    QColor m_bkColor;
    int m_mode = 0;
    QList<QIcon> m_smallImages;
    QList<QPixmap> m_stateImages;
    int m_stateImageOffset = 0;
};
