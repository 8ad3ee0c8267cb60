#include "cardholders/CRPUserGroups.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CardholderStore.h"
#include "common/SharedHelpers.h"
#include "common/Vocabulary.h"
#include "database/GlobalRecordsets.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

constexpr int kCardholderPrivilege = 0;
constexpr int kTimeZones = 31;
constexpr int kTimedMode = 2;

CMenuUsers* Tree()
{
    auto* frame = qobject_cast<CMainFrame*>(GetMainWindow());
    return frame ? qobject_cast<CMenuUsers*>(frame->UpperLeftView()) : nullptr;
}

void FillCombo(QComboBox* combo, const QStringList& entries)
{
    combo->clear();
    combo->addItems(entries);
}

} // namespace

CRPUserGroups::CRPUserGroups(QWidget* parent) : CPaneView(parent)
{
    setObjectName(QStringLiteral("CRPUserGroups"));
    m_pDoc = GetInstallationDoc();
    auto* grid = new QGridLayout(this);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(CardholderSetData::kNameLength);
    m_notes = new QTextEdit(this);
    m_makeSameAs = new QComboBox(this);
    m_antiPassback = new QComboBox(this);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    grid->addWidget(new QLabel(QStringLiteral("Cardholder set name:"), this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Make same as:"), this), 1, 0);
    grid->addWidget(m_makeSameAs, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Door validation groups"), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Floor validation groups"), this), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time zones"), this), 2, 2);

    QStringList doors, floors;
    const bool open = g_setDoorValGroup.IsOpen();
    QStringList zones;
    for (int z = 1; z <= kTimeZones; ++z)
        zones << QStringLiteral("Time Zone %1").arg(z);
    for (int s = 0; s < SetFormRules::kSlots; ++s) {
        const bool first = s == 0;
        QStringList doorList, floorList;
        if (open) {
            g_setDoorValGroup.FillGroupList(doorList, !first);
            g_setFloorValGroup.FillGroupList(floorList, !first);
        }
        const QString none = first ? QStringLiteral("No access") : QStringLiteral("Not assigned");
        auto& door = m_doors[static_cast<std::size_t>(s)];
        auto& floor = m_floors[static_cast<std::size_t>(s)];
        auto& zone = m_zones[static_cast<std::size_t>(s)];
        door = new QComboBox(this);
        floor = new QComboBox(this);
        zone = new QComboBox(this);
        FillCombo(door, doorList);
        FillCombo(floor, floorList);
        FillCombo(zone, QStringList({none, QStringLiteral("All Access")}) + zones);
        grid->addWidget(door, 3 + s, 0);
        grid->addWidget(floor, 3 + s, 1);
        grid->addWidget(zone, 3 + s, 2);
        connect(door, &QComboBox::activated, this, [this, s] { OnDoorChanged(s); });
    }
    connect(m_floors[0], &QComboBox::activated, this, [this] { OnCascade(m_floors); });
    connect(m_zones[0], &QComboBox::activated, this, [this] { OnCascade(m_zones); });
    for (const char* mode : AntiPassbackModeNames) {
        if (!*mode)
            break;
        m_antiPassback->addItem(QString::fromLatin1(mode));
    }
    grid->addWidget(new QLabel(QStringLiteral("Anti-passback:"), this), 7, 0);
    grid->addWidget(m_antiPassback, 7, 1);
    grid->addWidget(m_note, 8, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Notes:"), this), 9, 0);
    grid->addWidget(m_notes, 10, 0, 1, 3);
    grid->addWidget(m_apply, 11, 2);
    grid->setRowStretch(12, 1);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_name->setEnabled(editable);
    m_notes->setEnabled(editable);
    FillMakeSameAs();
    m_makeSameAs->setCurrentIndex(0);

    connect(m_makeSameAs, &QComboBox::activated, this, &CRPUserGroups::OnMakeSameAs);
    connect(m_antiPassback, &QComboBox::activated, this, &CRPUserGroups::ShowAntiPassbackNote);
    connect(m_name, &QLineEdit::textEdited, this, &CRPUserGroups::OnNameChanged);
    connect(m_apply, &QPushButton::clicked, this, &CRPUserGroups::OnApply);
}

void CRPUserGroups::FillMakeSameAs()
{
    m_makeSameAs->clear();
    for (const CardholderSetItem& set : CardholderStore::SetChoices())
        m_makeSameAs->addItem(set.name, set.index);
}

bool CRPUserGroups::IsBuiltIn() const
{
    return m_set <= CardholderStore::kNoAccessSet;
}

qintptr CRPUserGroups::OnAppMessage(unsigned msg, quintptr wParam, qintptr)
{
    if (msg == Msg::ShowCardholderSet) {
        LoadSet(static_cast<std::uint8_t>(wParam));
    } else if (msg == Msg::RefreshAfterAdd) {
        m_name->setFocus();
        m_name->selectAll();
    }
    return 0;
}

void CRPUserGroups::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        SaveShownSet();
    }
    CPaneView::closeEvent(event);
}

SetFormRules::Choices CRPUserGroups::FormChoices() const
{
    SetFormRules::Choices c;
    for (int s = 0; s < SetFormRules::kSlots; ++s) {
        const auto i = static_cast<std::size_t>(s);
        c.doors[i] = {m_doors[i]->currentIndex(), m_doors[i]->isEnabled()};
        c.floors[i] = {m_floors[i]->currentIndex(), m_floors[i]->isEnabled()};
        c.zones[i] = {m_zones[i]->currentIndex(), m_zones[i]->isEnabled()};
    }
    return c;
}

void CRPUserGroups::ShowChoices(const SetFormRules::Choices& c)
{
    const auto show = [](QComboBox* combo, const SetFormRules::Combo& value) {
        combo->setCurrentIndex(std::min(value.entry, combo->count() - 1));
        combo->setEnabled(value.enabled);
    };
    for (int s = 0; s < SetFormRules::kSlots; ++s) {
        const auto i = static_cast<std::size_t>(s);
        show(m_doors[i], c.doors[i]);
        show(m_floors[i], c.floors[i]);
        show(m_zones[i], c.zones[i]);
        m_doorEntries[i] = m_doors[i]->currentIndex();
    }
}

void CRPUserGroups::ReadForm(CardholderSetData& data) const
{
    data.name = m_name->text();
    data.notes = m_notes->toPlainText().left(CardholderSetData::kNotesLength);
    data.choices = FormChoices();
    data.antiPassback = static_cast<std::uint8_t>(std::max(0, m_antiPassback->currentIndex()));
}

void CRPUserGroups::SaveShownSet()
{
    if (!m_pDoc || IsBuiltIn() || !g_setUserGroups.IsOpen())
        return;
    CardholderSetData data;
    ReadForm(data);
    // The list follows a renamed set.
    const int entry = m_makeSameAs->findData(m_set);
    if (entry >= 0 && m_makeSameAs->itemText(entry) != data.name) {
        m_makeSameAs->setItemText(entry, data.name);
        m_makeSameAs->setCurrentIndex(entry);
    }
    data.Save(*m_pDoc, m_set);
}

void CRPUserGroups::LoadSet(std::uint8_t set)
{
    if (!m_pDoc || set == m_set)
        return;
    SaveShownSet();
    m_set = set;
    CardholderSetData data;
    const bool found = data.Load(*m_pDoc, set);
    const bool builtIn = IsBuiltIn();
    if (!builtIn && found && m_makeSameAs->findData(set) < 0) {
        m_makeSameAs->addItem(data.name, set);
        if (data.name.isEmpty())
            ShowMessageBox(QStringLiteral("You must enter a cardholder set name."));
        if (set > g_nNextCardholderSetIndex)
            g_nNextCardholderSetIndex = set;
    }
    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    if (found) {
        m_name->setText(data.name);
        m_notes->setPlainText(data.notes);
        SetFormRules::Choices c = data.choices;
        SetFormRules::Cascade(c.doors, builtIn);
        SetFormRules::Cascade(c.floors, builtIn);
        SetFormRules::Cascade(c.zones, builtIn);
        m_makeSameAs->setCurrentIndex(m_makeSameAs->findData(set));
        if (!builtIn && m_makeSameAs->currentIndex() > 1)
            SetFormRules::ApplyTimeZoneRule(c, CardholderSetData::DoorGroupZones(*m_pDoc));
        ShowChoices(c);
        m_antiPassback->setCurrentIndex(data.antiPassback < m_antiPassback->count() ? data.antiPassback : 0);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_name, m_notes, m_makeSameAs, m_antiPassback})
        w->setEnabled(editable && !builtIn);
    m_apply->setEnabled(!builtIn);
    ShowAntiPassbackNote();
}

void CRPUserGroups::OnApply()
{
    if (!m_pDoc)
        return;
    ClearPendingNodeRequest();
    SaveShownSet();
    if (m_pDoc->m_globalMemory.CheckSettingsChanged(0))
        MarkDataToProgram();
}

void CRPUserGroups::OnMakeSameAs()
{
    const auto other = static_cast<std::uint8_t>(m_makeSameAs->currentData().toInt());
    CardholderSetData data;
    if (!data.LoadChoices(other))
        return;
    m_notes->clear();
    SetFormRules::Choices c = data.choices;
    SetFormRules::Cascade(c.doors, false);
    SetFormRules::Cascade(c.floors, false);
    SetFormRules::Cascade(c.zones, false);
    SetFormRules::ApplyTimeZoneRule(c, CardholderSetData::DoorGroupZones(*m_pDoc));
    ShowChoices(c);
}

void CRPUserGroups::OnDoorChanged(int slot)
{
    if (!m_pDoc)
        return;
    SetFormRules::Choices c = FormChoices();
    SetFormRules::DoorGroupChanged(c, slot, m_doorEntries[static_cast<std::size_t>(slot)],
                                   CardholderSetData::DoorGroupZones(*m_pDoc));
    ShowChoices(c);
}

void CRPUserGroups::OnCascade(std::array<QComboBox*, SetFormRules::kSlots>& combos)
{
    SetFormRules::Choices c = FormChoices();
    SetFormRules::Slots& changed = &combos == &m_floors ? c.floors : c.zones;
    SetFormRules::Cascade(changed, IsBuiltIn());
    ShowChoices(c);
}

void CRPUserGroups::OnNameChanged()
{
    if (CMenuUsers* tree = Tree())
        tree->RenameSelectedItem(m_set, m_name->text());
}

void CRPUserGroups::ShowAntiPassbackNote()
{
    m_note->setText(m_antiPassback->currentIndex() == kTimedMode
                        ? QStringLiteral("Anti-Passback time is set through the Anti-Passback tab under Global Settings.")
                        : QString());
}
