#pragma once

#include "reports/eventlog/CEventFilterTab.h"

#include <array>

class QCheckBox;

// The Operators page: the sources of events that are not cardholders. It
// keeps nothing, so it opens with no box checked.
class CEventOperatorsTab : public CEventFilterTab
{
    Q_OBJECT
public:
    explicit CEventOperatorsTab(QWidget* parent = nullptr);

    void UpdateData() override;
    void OnUncheckAll() override;

    // The boxes in the order of their UserID codes, -1 first.
    QCheckBox* Box(int index) const { return m_boxes.at(static_cast<size_t>(index)); }

private:
    std::array<QCheckBox*, 5> m_boxes{};
};
