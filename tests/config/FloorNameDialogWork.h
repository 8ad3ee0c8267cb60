#pragma once

#include "config/CDlgEditFloorName.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Presses a button that opens the floor-name dialog and works on it as the
// operator would; then OK, unless the work closed it.
inline void WorkFloorNameDialog(QAbstractButton* button, const std::function<void(CDlgEditFloorName&)>& work)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDlgEditFloorName*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        work(*dialog);
        if (dialog->isVisible())
            dialog->accept();
    });
    button->click();
    EXPECT_TRUE(shown);
}
