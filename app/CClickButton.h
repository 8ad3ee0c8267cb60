#pragma once

#include <QPushButton>

// A button the mouse cannot press; the keyboard still can.
class CClickButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
