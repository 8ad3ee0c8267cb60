#pragma once

#include "app/CPaneView.h"

class CLineButton;

// The credentials area's navigation: one button per credential view.
class CMenuMedias : public CPaneView
{
    Q_OBJECT
public:
    explicit CMenuMedias(QWidget* parent = nullptr);

    // The button of a control identifier (1337-1343), or null.
    CLineButton* Button(int id) const;
};
