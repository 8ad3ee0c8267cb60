#include "config/CTabValGroups.h"

#include "common/SharedHelpers.h"
#include "config/CScheduleBar.h"
#include "config/CScheduleBarSource.h"
#include "config/PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

CTabValGroups::CTabValGroups(CWFDoc& doc, const ValGroupKind& kind, CScheduleBarSource& bars, QWidget* parent)
    : QWidget(parent), m_model(doc, kind)
{
    setObjectName(QString::fromLatin1(kind.pageClass));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QString::fromLatin1(kind.groupLabel), this), 0, 0);
    m_groupSpin = new QSpinBox(this);
    PageLayout::MakeWrappingSpin(m_groupSpin, CValGroupModel::kFirstGroup, CValGroupModel::kLastGroup);
    layout->addWidget(m_groupSpin, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 2);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(CValGroupModel::kNameLength);
    layout->addWidget(m_name, 0, 3);
    layout->addWidget(new QLabel(QString::fromLatin1(kind.scheduleLabel), this), 1, 0);
    m_schedule = new QComboBox(this);
    for (int s = 0; s <= CValGroupModel::kLastSchedule; ++s)
        m_schedule->addItem(QString::number(s));
    layout->addWidget(m_schedule, 1, 1);

    auto* zones = new QGroupBox(QStringLiteral("Time Zone"), this);
    auto* grid = new QGridLayout(zones);
    for (int c = 0; c < ValidDays::kColumns; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(ValidDays::kColumnHeads[c]), zones), 0, c + 1, Qt::AlignHCenter);
    for (int slot = 0; slot < CValGroupModel::kSlots; ++slot) {
        m_zoneSpins[slot] = new QSpinBox(zones);
        PageLayout::MakeWrappingSpin(m_zoneSpins[slot], 0, CValGroupModel::kLastZone);
        grid->addWidget(m_zoneSpins[slot], slot + 1, 0);
        for (int c = 0; c < ValidDays::kColumns; ++c) {
            m_days[slot][c] = new QCheckBox(zones);
            grid->addWidget(m_days[slot][c], slot + 1, c + 1);
        }
        m_bars[slot] = bars.Create(zones);
        QWidget* bar = m_bars[slot]->Widget();
        bar->setMinimumWidth(PageLayout::kBarMinimumWidth);
        bar->setFixedHeight(slot == 0 ? PageLayout::kTallBarHeight : PageLayout::kBarHeight);
        m_bars[slot]->SetShowTimeScale(slot == 0);
        grid->addWidget(bar, slot + 1, ValidDays::kColumns + 1);
        connect(m_zoneSpins[slot], qOverload<int>(&QSpinBox::valueChanged), this,
                [this, slot](int zone) { OnZoneChanged(slot, zone); });
    }
    grid->setColumnStretch(ValidDays::kColumns + 1, 1);
    layout->addWidget(zones, 2, 0, 1, 4);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(3, 1);

    m_groupSpin->setValue(CValGroupModel::kFirstGroup);
    m_model.LoadGroup(CValGroupModel::kFirstGroup);
    ShowGroup();
    connect(m_groupSpin, qOverload<int>(&QSpinBox::valueChanged), this, &CTabValGroups::OnGroupChanged);
    connect(m_name, &QLineEdit::textChanged, this, &CTabValGroups::TakeControls);

    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    m_schedule->setEnabled(mayChange);
    m_name->setEnabled(mayChange);
    for (QSpinBox* spin : m_zoneSpins)
        spin->setEnabled(mayChange);
}

CTabValGroups::~CTabValGroups() = default;

void CTabValGroups::TakeControls()
{
    m_model.m_name = m_name->text();
    m_model.m_schedule = m_schedule->currentIndex();
}

void CTabValGroups::Store()
{
    TakeControls();
    m_model.StoreGroup();
}

void CTabValGroups::OnGroupChanged(int group)
{
    // The edits of the group shown before go: only the group on display is stored.
    m_model.LoadGroup(group);
    ShowGroup();
}

void CTabValGroups::OnZoneChanged(int slot, int zone)
{
    TakeControls();
    if (m_model.SetZone(slot, zone))
        ShowRows();
}

void CTabValGroups::ShowGroup()
{
    const QSignalBlocker nameBlock(m_name);
    m_name->setText(m_model.m_name);
    m_schedule->setCurrentIndex(m_model.m_schedule);
    for (int slot = 0; slot < CValGroupModel::kSlots; ++slot) {
        const QSignalBlocker spinBlock(m_zoneSpins[slot]);
        m_zoneSpins[slot]->setValue(m_model.Zone(slot));
    }
    ShowRows();
}

void CTabValGroups::ShowRows()
{
    for (int slot = 0; slot < CValGroupModel::kSlots; ++slot) {
        const CValGroupModel::ZoneRow& row = m_model.Row(slot);
        for (int c = 0; c < ValidDays::kColumns; ++c) {
            m_days[slot][c]->setChecked(row.days[c]);
            m_days[slot][c]->setEnabled(row.enabled);
        }
        if (ILongProperties* bar = m_bars[slot]->Properties())
            row.periods.CopyTo(*bar);
    }
}
