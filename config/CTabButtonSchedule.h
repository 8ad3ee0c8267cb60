#pragma once

#include "config/ButtonScheduleValues.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>

class CWFDoc;
class QComboBox;

// Which remote-transmitter button opens each of the relays A to D.
class CTabButtonSchedule : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    explicit CTabButtonSchedule(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;

    QComboBox* RelayList(int relay) const { return m_lists[relay]; }

private:
    CWFDoc& m_doc;
    ButtonScheduleValues m_values;
    std::array<QComboBox*, ButtonScheduleValues::kRelays> m_lists{};
};
