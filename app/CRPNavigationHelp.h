#pragma once

#include "app/CPaneView.h"

// The toolbar information screen: ten framed areas, each with a picture and a
// sentence about one main function; a click in an area runs that function.
class CRPNavigationHelp : public CPaneView
{
    Q_OBJECT
public:
    explicit CRPNavigationHelp(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Form (dialog-unit) coordinates of a point of the widget, and back.
    QPoint ToDialogUnits(const QPoint& pixels) const;
    QRect ToPixels(const QRect& dialogUnits) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int BaseUnitX() const;
    void DrawArea(QPainter& painter, const QRect& dialogRect, unsigned command, const QString& text) const;

    bool m_buttonDown = false;
};
