#pragma once

#include "app/CPaneView.h"

class CListCtrlEx;

// A right-pane list that only shows: a double-click says where changes are made.
class ReadOnlyListView : public CPaneView
{
    Q_OBJECT
public:
    ReadOnlyListView(const QString& frame, QWidget* parent = nullptr);

    CListCtrlEx* List() const { return m_list; }

private:
    CListCtrlEx* m_list = nullptr;
};
