#pragma once

#include "app/CPaneView.h"

// The empty navigation form of the network and settings views.
class CMainMenu : public CPaneView
{
    Q_OBJECT
public:
    explicit CMainMenu(QWidget* parent = nullptr) : CPaneView(parent) {}
};
