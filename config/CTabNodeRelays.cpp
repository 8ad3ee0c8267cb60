#include "config/CTabNodeRelays.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/CScheduleBar.h"
#include "config/CScheduleBarSource.h"
#include "config/IntegerField.h"
#include "config/NodeSetupLayout.h"
#include "config/PageLayout.h"
#include "config/ZoneMirror.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMaxActivation = 65535;
constexpr int kMaxZone = 31;
constexpr int kPhoneDigits = 9;
// Door labels number the channels from 1.
constexpr int kFirstDoor = 1;
constexpr const char* kInvalidActivation = "Invalid Activation Time - no data saved.\nEnter a number between 0 and 65535";

QComboBox* ListOf(const QStringList& items, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

} // namespace

CTabNodeRelays::CTabNodeRelays(CWFDoc& doc, CScheduleBarSource& bars, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_mayChange(OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege))
{
    setObjectName(QStringLiteral("CTabNodeRelays"));
    // Only shown: a file that cannot be read leaves every zone empty.
    m_global.LoadFile(doc.BuildPath(CWFDoc::kVestrels, QString::fromLatin1(kGlobalSettingsFile)), 0, 0, {});
    m_global.File().close();
    for (int relay = 0; relay < RelaySettings::kRelays; ++relay)
        m_records[relay] = RelaySettings::Load(doc.m_controllerMemory, relay);

    auto* form = new QFormLayout;
    m_relayList = new QComboBox(this);
    form->addRow(QStringLiteral("Select Relay:"), m_relayList);
    auto* activationRow = new QHBoxLayout;
    m_activation = new QLineEdit(this);
    m_activationSpin = new QSpinBox(this);
    PageLayout::MakeWrappingSpin(m_activationSpin, 0, kMaxActivation);
    activationRow->addWidget(m_activation);
    activationRow->addWidget(m_activationSpin);
    activationRow->addWidget(new QLabel(QStringLiteral("seconds"), this));
    form->addRow(QStringLiteral("Activation Time:"), activationRow);
    QStringList digits = {QStringLiteral("None")};
    for (int digit = 1; digit <= kPhoneDigits; ++digit)
        digits << QString::number(digit);
    m_digit = ListOf(digits, this);
    form->addRow(QStringLiteral("Telephone Digit:"), m_digit);
    m_timing = ListOf({QStringLiteral("Time"), QStringLiteral("Pulse"), QStringLiteral("Toggle"), QStringLiteral("Latch")},
                      this);
    form->addRow(QStringLiteral("Timing Mode:"), m_timing);
    m_operation = ListOf({QStringLiteral("Control"), QStringLiteral("Shunt"), QStringLiteral("Alarm"),
                          QStringLiteral("Obstacle"), QStringLiteral("CCTV")},
                         this);
    form->addRow(QStringLiteral("Operation:"), m_operation);

    m_associationGroup = new QGroupBox(QStringLiteral("Associate Relay"), this);
    auto* associationRow = new QVBoxLayout(m_associationGroup);
    for (QCheckBox*& box : m_associations) {
        box = new QCheckBox(this);
        associationRow->addWidget(box);
    }

    auto* zones = new QGroupBox(QStringLiteral("Assign auto-open time zones"), this);
    auto* grid = new QGridLayout(zones);
    for (int c = 0; c < ValidDays::kColumns; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(ValidDays::kColumnHeads[c]), zones), 0, c + 1, Qt::AlignHCenter);
    for (int slot = 0; slot < RelaySettings::kZoneSlots; ++slot) {
        m_zoneSpins[slot] = new QSpinBox(zones);
        m_zoneSpins[slot]->setRange(0, kMaxZone);
        m_zoneSpins[slot]->setEnabled(m_mayChange);
        grid->addWidget(m_zoneSpins[slot], slot + 1, 0);
        for (int c = 0; c < ValidDays::kColumns; ++c) {
            m_days[slot][c] = new QCheckBox(zones);
            // The boxes only show the zone; nothing of them is stored.
            m_days[slot][c]->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_days[slot][c]->setFocusPolicy(Qt::NoFocus);
            grid->addWidget(m_days[slot][c], slot + 1, c + 1, Qt::AlignHCenter);
        }
        m_bars[slot] = bars.Create(zones);
        QWidget* bar = m_bars[slot]->Widget();
        bar->setMinimumWidth(PageLayout::kBarMinimumWidth);
        bar->setFixedHeight(slot == 0 ? PageLayout::kTallBarHeight : PageLayout::kBarHeight);
        m_bars[slot]->SetShowTimeScale(slot == 0);
        m_bars[slot]->SetTimeZoneNumber(0);
        grid->addWidget(bar, slot + 1, ValidDays::kColumns + 1);
        connect(m_zoneSpins[slot], &QSpinBox::valueChanged, this, &CTabNodeRelays::ShowZoneRows);
    }
    grid->setColumnStretch(ValidDays::kColumns + 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_associationGroup);
    layout->addWidget(zones);
    layout->addStretch();

    for (QWidget* control : {static_cast<QWidget*>(m_activation), static_cast<QWidget*>(m_activationSpin),
                             static_cast<QWidget*>(m_digit), static_cast<QWidget*>(m_timing)})
        control->setEnabled(m_mayChange);
    Show(0);
    connect(m_relayList, &QComboBox::currentIndexChanged, this, &CTabNodeRelays::OnRelayChosen);
    connect(m_operation, &QComboBox::currentIndexChanged, this, &CTabNodeRelays::ShowAssociations);
    connect(m_activation, &QLineEdit::textChanged, this, &CTabNodeRelays::CheckActivation);
    connect(m_activationSpin, &QSpinBox::valueChanged, this,
            [this](int value) { m_activation->setText(QString::number(value)); });
}

CTabNodeRelays::~CTabNodeRelays() = default;

void CTabNodeRelays::Show(int relay)
{
    m_shown = relay;
    m_operation->setEnabled(m_mayChange);
    {
        const QSignalBlocker quiet(m_relayList);
        m_relayList->clear();
        for (int r = 0; r < RelaySettings::kRelays; ++r) {
            QString label;
            m_doc.DoorLabel(label, r + kFirstDoor, true);
            m_relayList->addItem(label);
        }
        m_relayList->setCurrentIndex(relay);
    }
    const RelaySettings& record = m_records[relay];
    for (int slot = 0; slot < RelaySettings::kZoneSlots; ++slot) {
        const QSignalBlocker quiet(m_zoneSpins[slot]);
        m_zoneSpins[slot]->setValue(record.zones[slot]);
    }
    ShowZoneRows();
    m_digit->setCurrentIndex(record.phoneDigit);
    {
        const QSignalBlocker quiet(m_operation);
        m_operation->setCurrentIndex(record.operation);
    }
    m_activation->setText(QString::number(record.activationTime));
    m_timing->setCurrentIndex(record.timingMode);
    ShowAssociations();
}

void CTabNodeRelays::ShowZoneRows()
{
    for (int slot = 0; slot < RelaySettings::kZoneSlots; ++slot) {
        const int zone = m_zoneSpins[slot]->value();
        const ValidDays::Boxes days = ZoneMirror::Days(m_global, zone);
        for (int c = 0; c < ValidDays::kColumns; ++c) {
            m_days[slot][c]->setChecked(days[c]);
            m_days[slot][c]->setEnabled(zone != 0);
        }
        if (ILongProperties* bar = m_bars[slot]->Properties())
            ZoneMirror::Periods(m_global, zone).CopyTo(*bar);
    }
}

void CTabNodeRelays::ShowAssociations()
{
    const bool takes = RelaySettings::TakesAssociations(static_cast<std::uint8_t>(m_operation->currentIndex()));
    const std::array<int, RelaySettings::kOthers> others = RelaySettings::OtherRelays(m_shown);
    for (int i = 0; i < RelaySettings::kOthers; ++i) {
        QString label;
        m_doc.DoorLabel(label, others[i] + kFirstDoor, true);
        m_associations[i]->setText(label);
        m_associations[i]->setChecked(takes && (m_records[m_shown].associations & (1u << others[i])));
        m_associations[i]->setEnabled(takes && m_mayChange);
    }
    m_associationGroup->setEnabled(takes);
}

void CTabNodeRelays::CheckActivation()
{
    if (const std::optional<int> value = ReadIntegerField(m_activation->text(), 0, kMaxActivation)) {
        const QSignalBlocker quiet(m_activationSpin);
        m_activationSpin->setValue(*value);
        return;
    }
    bool isNumber = false;
    if (m_activation->text().trimmed().toLongLong(&isNumber) > kMaxActivation && isNumber)
        m_activation->setText(QStringLiteral("0"));
    m_activation->setFocus();
    m_activation->selectAll();
}

bool CTabNodeRelays::Commit()
{
    bool isNumber = false;
    const uint activation = m_activation->text().trimmed().toUInt(&isNumber);
    if (!isNumber || activation > kMaxActivation) {
        ShowMessageBox(QString::fromLatin1(kInvalidActivation));
        return false;
    }
    RelaySettings settings;
    settings.activationTime = static_cast<std::uint16_t>(activation);
    settings.phoneDigit = static_cast<std::uint8_t>(m_digit->currentIndex());
    settings.timingMode = m_timing->currentIndex();
    settings.operation = static_cast<std::uint8_t>(m_operation->currentIndex());
    for (int slot = 0; slot < RelaySettings::kZoneSlots; ++slot)
        settings.zones[slot] = static_cast<std::uint8_t>(m_zoneSpins[slot]->value());
    const std::array<int, RelaySettings::kOthers> others = RelaySettings::OtherRelays(m_shown);
    for (int i = 0; i < RelaySettings::kOthers; ++i)
        if (m_associations[i]->isChecked())
            settings.associations |= static_cast<std::uint8_t>(1u << others[i]);
    settings.Store(m_doc.m_controllerMemory, m_shown);
    m_records[m_shown] = RelaySettings::Load(m_doc.m_controllerMemory, m_shown);
    return true;
}

void CTabNodeRelays::OnRelayChosen(int relay)
{
    Commit();
    Show(relay < 0 ? 0 : relay);
}

void CTabNodeRelays::Store()
{
    Commit();
}
