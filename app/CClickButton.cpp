#include "app/CClickButton.h"

#include <QMouseEvent>

void CClickButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        QPushButton::mousePressEvent(event);
}

void CClickButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        QPushButton::mouseDoubleClickEvent(event);
}
