#pragma once

#include "app/CPaneView.h"
#include "cardholders/CardholderSetData.h"

#include <array>

class CWFDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// The cardholder-set form: a set's name, notes, door and floor validation
// groups, time zones and anti-passback mode.
class CRPUserGroups : public CPaneView
{
    Q_OBJECT
public:
    explicit CRPUserGroups(QWidget* parent = nullptr);

    QComboBox* DoorCombo(int slot) const { return m_doors[static_cast<std::size_t>(slot)]; }
    QComboBox* FloorCombo(int slot) const { return m_floors[static_cast<std::size_t>(slot)]; }
    QComboBox* ZoneCombo(int slot) const { return m_zones[static_cast<std::size_t>(slot)]; }
    QComboBox* MakeSameAs() const { return m_makeSameAs; }
    QComboBox* AntiPassback() const { return m_antiPassback; }
    QLineEdit* NameEdit() const { return m_name; }
    QLabel* AntiPassbackNote() const { return m_note; }
    QPushButton* ApplyButton() const { return m_apply; }
    std::uint8_t ShownSet() const { return m_set; }

    void OnApply();

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadSet(std::uint8_t set);
    void SaveShownSet();
    void ReadForm(CardholderSetData& data) const;
    void ShowChoices(const SetFormRules::Choices& choices);
    SetFormRules::Choices FormChoices() const;
    void FillMakeSameAs();
    void OnMakeSameAs();
    void OnDoorChanged(int slot);
    void OnCascade(std::array<QComboBox*, SetFormRules::kSlots>& combos);
    void OnNameChanged();
    void ShowAntiPassbackNote();
    bool IsBuiltIn() const;

    CWFDoc* m_pDoc = nullptr;
    std::array<QComboBox*, SetFormRules::kSlots> m_doors{};
    std::array<QComboBox*, SetFormRules::kSlots> m_floors{};
    std::array<QComboBox*, SetFormRules::kSlots> m_zones{};
    std::array<int, SetFormRules::kSlots> m_doorEntries{};
    QComboBox* m_makeSameAs = nullptr;
    QComboBox* m_antiPassback = nullptr;
    QLineEdit* m_name = nullptr;
    QTextEdit* m_notes = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_apply = nullptr;
    std::uint8_t m_set = 0;
    bool m_closed = false;
};
