#pragma once

#include "cardholders/CredentialKind.h"

#include <QListWidget>

#include <vector>

class CWFDoc;

// The installation's 16 facility codes of one kind, each with a box; at
// most four may be ticked.
class FacilityCodeCheckList : public QListWidget
{
    Q_OBJECT
public:
    explicit FacilityCodeCheckList(QWidget* parent = nullptr);

    void Fill(CredentialKind kind, CWFDoc* doc);
    // The 1-based positions of the ticked codes, in list order.
    std::vector<int> Ticked() const;

private:
    void OnItemChanged(QListWidgetItem* item);
};
