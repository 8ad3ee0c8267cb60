#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/RelaySettings.h"
#include "config/ValidDays.h"
#include "image/CVLGlobalMemory.h"

#include <QWidget>

#include <array>
#include <memory>

class CScheduleBar;
class CScheduleBarSource;
class CWFDoc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

// The Relays page of node setup: one relay's record at a time, committed to
// the image when another relay is chosen and when the page is stored. The
// auto-open rows show their zones from the installation's saved settings.
class CTabNodeRelays : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    CTabNodeRelays(CWFDoc& doc, CScheduleBarSource& bars, QWidget* parent = nullptr);
    ~CTabNodeRelays() override;

    void Store() override;

    QComboBox* RelayList() const { return m_relayList; }
    QLineEdit* ActivationField() const { return m_activation; }
    QSpinBox* ActivationSpin() const { return m_activationSpin; }
    QComboBox* TimingList() const { return m_timing; }
    QComboBox* OperationList() const { return m_operation; }
    QCheckBox* AssociationBox(int i) const { return m_associations[i]; }
    QSpinBox* ZoneSpin(int slot) const { return m_zoneSpins[slot]; }
    QCheckBox* DayBox(int slot, int column) const { return m_days[slot][column]; }

private:
    void Show(int relay);
    void ShowZoneRows();
    void ShowAssociations();
    void CheckActivation();
    // False, having said so, when the activation time is not a number.
    bool Commit();
    void OnRelayChosen(int relay);

    CWFDoc& m_doc;
    CVLGlobalMemory m_global;
    bool m_mayChange = false;
    int m_shown = 0;
    std::array<RelaySettings, RelaySettings::kRelays> m_records{};
    QComboBox* m_relayList = nullptr;
    QLineEdit* m_activation = nullptr;
    QSpinBox* m_activationSpin = nullptr;
    QComboBox* m_digit = nullptr;
    QComboBox* m_timing = nullptr;
    QComboBox* m_operation = nullptr;
    QGroupBox* m_associationGroup = nullptr;
    std::array<QCheckBox*, RelaySettings::kOthers> m_associations{};
    std::array<QSpinBox*, RelaySettings::kZoneSlots> m_zoneSpins{};
    std::array<std::array<QCheckBox*, ValidDays::kColumns>, RelaySettings::kZoneSlots> m_days{};
    std::array<std::unique_ptr<CScheduleBar>, RelaySettings::kZoneSlots> m_bars;
};
