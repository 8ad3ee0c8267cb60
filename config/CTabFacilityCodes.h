#pragma once

#include "config/FacilityCodeValues.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>

class CWFDoc;
class QLineEdit;

// The 16 transmitter and 16 card facility codes, each a number 0 to 65535.
class CTabFacilityCodes : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    explicit CTabFacilityCodes(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;

    QLineEdit* TransmitterField(int n) const { return m_transmitter[n]; }
    QLineEdit* CardField(int n) const { return m_card[n]; }

private:
    // Every field into the values; false, after the range message, at the
    // first refused field.
    bool TakeControls();
    void ShowValues();
    void OnFieldChanged(QLineEdit* field, std::uint16_t& value);

    CWFDoc& m_doc;
    FacilityCodeValues m_values;
    std::array<QLineEdit*, FacilityCodeValues::kCodes> m_transmitter{};
    std::array<QLineEdit*, FacilityCodeValues::kCodes> m_card{};
};
