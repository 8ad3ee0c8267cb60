#pragma once

#include "app/CPaneView.h"

// The empty form that fills a pane before anything else is shown there.
class CRPBlankPane : public CPaneView
{
    Q_OBJECT
public:
    explicit CRPBlankPane(QWidget* parent = nullptr) : CPaneView(parent) {}
};
