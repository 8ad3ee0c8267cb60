#include "app/CToolTipCtrlEx.h"

#include <QWidget>

void CToolTipCtrlEx::AddWindowTool(QWidget* window, const QString& text)
{
    if (window)
        window->setToolTip(text);
}
