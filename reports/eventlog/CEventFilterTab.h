#pragma once

#include <QString>
#include <QWidget>

// A page of the event filter: its fragment of the search criterion, rebuilt
// by UpdateData, and the store of its selection when the area closes.
class CEventFilterTab : public QWidget
{
public:
    // The page's fragment; empty while nothing is selected.
    QString m_strFilter;

    // Rebuilds m_strFilter from what the page shows.
    virtual void UpdateData() = 0;
    // Keeps the selection for the next showing; a page that keeps none does nothing.
    virtual void OnClose() {}
    // Clears every check; the Dates page has none to clear.
    virtual void OnUncheckAll() {}

protected:
    using QWidget::QWidget;
};
