#pragma once

#include "cardholders/ReadOnlyListView.h"

// The telephone-entry directory, as it stood when the view was made.
class CRPPhoneEntryNumbers : public ReadOnlyListView
{
    Q_OBJECT
public:
    explicit CRPPhoneEntryNumbers(QWidget* parent = nullptr);

    void FillList();
};
