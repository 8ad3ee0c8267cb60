#include "platform/OpenModals.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

bool IsOwnedBy(const QWidget* window, const QWidget* widget)
{
    for (const QWidget* owner = window->parentWidget(); owner; owner = owner->parentWidget()) {
        if (owner == widget)
            return true;
    }
    return false;
}

} // namespace

bool HasOpenModal(const QWidget* widget)
{
    if (!widget)
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget* window : windows) {
        if (!window->isVisible())
            continue;
        if (qobject_cast<const QMessageBox*>(window))
            return true;
        const bool modal = window->isModal() || window->windowType() == Qt::Popup;
        if (modal && IsOwnedBy(window, widget))
            return true;
    }
    return false;
}
