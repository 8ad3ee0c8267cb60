#pragma once

#include "cardholders/ReadOnlyListView.h"

// Every entry code of the site with its holder and state, as it stood when
// the view was made.
class CRPEntryCodes : public ReadOnlyListView
{
    Q_OBJECT
public:
    explicit CRPEntryCodes(QWidget* parent = nullptr);

    void FillList();
};
