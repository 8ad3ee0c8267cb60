#pragma once

#include <QComboBox>

// An editable drop-down that says when it is about to open, so its entries
// can be filled only when the operator looks at them.
class SpareComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit SpareComboBox(QWidget* parent = nullptr) : QComboBox(parent) { setEditable(true); }

    void showPopup() override
    {
        emit aboutToOpen();
        QComboBox::showPopup();
    }

signals:
    void aboutToOpen();
};
