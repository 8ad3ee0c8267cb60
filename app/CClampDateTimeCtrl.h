#pragma once

#include <QDateTimeEdit>

// A date-time picker whose upper limit is fixed at the end of 2088.
class CClampDateTimeCtrl : public QDateTimeEdit
{
    Q_OBJECT
public:
    explicit CClampDateTimeCtrl(QWidget* parent = nullptr) : QDateTimeEdit(parent) {}

    static QDateTime UpperLimit();
    // Keeps the lower limit, sets the upper one and shows the current local time.
    void SetTimeClamped();
};
