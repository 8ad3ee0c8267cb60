#pragma once

#include "app/CPaneView.h"

// Stands in for a view of a part of the program that is not built yet: names
// the area and says plainly that it is not available.
class CPlaceholderView : public CPaneView
{
    Q_OBJECT
public:
    CPlaceholderView(const QString& className, QWidget* parent = nullptr);

    // The area a view class belongs to, as the operator knows it.
    static QString AreaName(const QString& className);
};
