#include "linkforms/CMonitorForm.h"

#include "app/CListCtrlEx.h"
#include "app/CWFApp.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "link/CNetCommandQueue.h"
#include "link/CPanelEvent.h"
#include "link/DoorKey.h"
#include "link/DoorMonitoring.h"
#include "link/MonitoredDoors.h"
#include "link/PanelEventTypes.h"
#include "linkforms/DoorStateIcons.h"
#include "linkforms/MonitorNetwork.h"
#include "platform/DatabaseException.h"
#include "platform/WindowMessages.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr std::uint32_t kTypeByteMask = 0xFF;
constexpr std::uint32_t kFilterBits = (1u << DoorMonitoring::kCategoryCount) - 1;
constexpr int kStatusFirstDoor = 2;
constexpr int kDoors = 4;
constexpr int kFilterKeyRole = Qt::UserRole;
const char* const kLineTimeFormat = "%m/%d/%y - %H:%M:%S";

// The application's monitored-events mask; every category without one.
std::uint32_t MonitoredEventsMask()
{
    const CWFApp* app = GetApp();
    return app ? static_cast<std::uint32_t>(app->Settings().m_monitoredEvents) : ~0u;
}

void AddQueued(CNetCommand command)
{
    CNetCommandQueue* queue = MonitorQueue();
    if (!queue)
        return;
    auto queued = std::make_unique<CNetCommand>(std::move(command));
    queue->AddCommand(queued);
    if (ICommControlForm* form = GetCommControlForm())
        form->ServiceQueue();
}

QPushButton* Button(const QString& text, QWidget* parent, const std::function<void()>& onClick)
{
    auto* button = new QPushButton(text, parent);
    QObject::connect(button, &QPushButton::clicked, parent, onClick);
    return button;
}

} // namespace

CMonitorForm::CMonitorForm(QWidget* parent)
    : CPaneView(parent), m_monitorList(new CListCtrlEx(this)), m_controlList(new CListCtrlEx(this)),
      m_filter(new QListWidget(this)), m_start(new QRadioButton(QStringLiteral("Start Monitor"), this)),
      m_stop(new QRadioButton(QStringLiteral("Stop Monitor"), this))
{
    m_monitorList->setHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Activator"), QStringLiteral("Door"), QStringLiteral("Event")});
    const int widths[] = {kTimeWidth, kActivatorWidth, kDoorWidth, kEventWidth};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        m_monitorList->setColumnWidth(column, widths[column]);
    m_monitorList->SetExtendedMode(CListCtrlEx::kColouredMode);
    m_monitorList->setSelectionMode(QAbstractItemView::SingleSelection);

    m_controlList->setHeaderHidden(true);
    m_controlList->SetSmallImageList(DoorStateIcons());
    m_controlList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* doorState = new QGroupBox(QStringLiteral("Set door state"), this);
    auto* doorButtons = new QGridLayout(doorState);
    doorButtons->addWidget(Button(QStringLiteral("Loc&k Open"), this, [this] { SendDoorCommand(DoorMonitoring::DoorCode::LockOpen); }), 0, 0);
    doorButtons->addWidget(Button(QStringLiteral("Lock Clo&se"), this, [this] { SendDoorCommand(DoorMonitoring::DoorCode::LockClosed); }), 0, 1);
    doorButtons->addWidget(Button(QStringLiteral("&Unlock"), this, [this] { SendDoorCommand(DoorMonitoring::DoorCode::Unlock); }), 1, 0);
    doorButtons->addWidget(Button(QStringLiteral("&Trigger"), this, [this] { SendDoorCommand(DoorMonitoring::DoorCode::Trigger); }), 1, 1);

    auto* controls = new QVBoxLayout;
    controls->addWidget(m_controlList, 1);
    controls->addWidget(doorState);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(Button(QStringLiteral("&Remove Doors"), this, [this] { OnRemoveDoors(); }));
    listButtons->addWidget(Button(QStringLiteral("&Update State"), this, [this] { OnUpdateState(); }));
    controls->addLayout(listButtons);

    auto* running = new QHBoxLayout;
    running->addWidget(m_start);
    running->addWidget(m_stop);
    running->addStretch();
    running->addWidget(Button(QStringLiteral("Clear Monitor"), this, [this] { OnClearMonitor(); }));
    auto* events = new QVBoxLayout;
    events->addWidget(m_monitorList, 1);
    events->addLayout(running);
    events->addWidget(new QLabel(QStringLiteral("Event filter:"), this));
    events->addWidget(m_filter);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(events, 2);

    m_stop->setChecked(false);
    m_start->setChecked(true);
    LoadDoors();
    FillEventFilter();
}

CMonitorForm::~CMonitorForm()
{
    if (!m_closed) {
        SaveDoors();
        StoreEventFilter();
    }
}

void CMonitorForm::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        SaveDoors();
        StoreEventFilter();
    }
    CPaneView::closeEvent(event);
}

qintptr CMonitorForm::OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam)
{
    switch (msg) {
    case Msg::PanelEvent:
        if (lParam)
            OnPanelEvent(*reinterpret_cast<const CPanelEvent*>(lParam));
        return 1;
    case Msg::AddDoor:
        return OnAddDoor(static_cast<std::uint32_t>(wParam),
                         lParam ? *reinterpret_cast<const QString*>(lParam) : QString());
    case Msg::NodeStatus:
        if (lParam)
            OnNodeStatus(QByteArray::fromRawData(reinterpret_cast<const char*>(lParam), static_cast<qsizetype>(wParam)));
        return 1;
    case Msg::NetworkChanged:
        SaveDoors();
        LoadDoors();
        return 1;
    default:
        return 0;
    }
}

void CMonitorForm::OnPanelEvent(const CPanelEvent& event)
{
    if ((event.GetType() & kTypeByteMask) == PanelEventType::Door)
        UpdateDoorImage(event.GetAddress(), event.GetDoorIndex(), static_cast<std::uint8_t>(event.GetDoorState()));
    if (m_stop->isChecked() || !DoorMonitoring::PassesFilter(event.GetType(), CheckedMask()))
        return;
    auto* line = new QTreeWidgetItem(
        QStringList{event.FormatTime(kLineTimeFormat), event.GetText(), event.GetDoorText(), event.GetEventText()});
    line->setData(0, CListCtrlEx::kImageIndexRole, event.GetCategory());
    m_monitorList->insertTopLevelItem(0, line);
}

int CMonitorForm::OnAddDoor(std::uint32_t key, const QString& label)
{
    for (int row = 0; row < m_controlList->topLevelItemCount(); ++row) {
        if (m_controlList->topLevelItem(row)->data(0, kDoorKeyRole).toUInt() == key)
            return 0;
    }
    auto* door = new QTreeWidgetItem(QStringList{label});
    door->setData(0, kDoorKeyRole, key);
    door->setData(0, CListCtrlEx::kImageIndexRole, DoorMonitoring::kImageUnreported);
    m_controlList->insertTopLevelItem(0, door);
    QueuePoll(key);
    return 1;
}

void CMonitorForm::QueuePoll(std::uint32_t key)
{
    AddQueued(DoorMonitoring::MakeStatusPoll(key));
}

void CMonitorForm::OnNodeStatus(const QByteArray& record)
{
    if (record.size() < kStatusFirstDoor + kDoors)
        return;
    for (int door = 0; door < kDoors; ++door)
        UpdateDoorImage(static_cast<std::uint8_t>(record[0]), door, static_cast<std::uint8_t>(record[kStatusFirstDoor + door]));
}

void CMonitorForm::UpdateDoorImage(std::uint8_t address, int door, std::uint8_t state)
{
    const std::optional<int> image = DoorMonitoring::DoorStateImage(state);
    if (!image)
        return;
    for (int row = 0; row < m_controlList->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_controlList->topLevelItem(row);
        const std::uint32_t key = item->data(0, kDoorKeyRole).toUInt();
        if (DoorKey::Address(key) == address && DoorKey::Door(key) == door)
            item->setData(0, CListCtrlEx::kImageIndexRole, *image);
    }
}

QList<std::uint32_t> CMonitorForm::SelectedDoorKeys() const
{
    QList<std::uint32_t> keys;
    for (int row = 0; row < m_controlList->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_controlList->topLevelItem(row);
        if (item->isSelected())
            keys << item->data(0, kDoorKeyRole).toUInt();
    }
    return keys;
}

void CMonitorForm::SendDoorCommand(std::uint8_t code)
{
    if (!RequireConnection(true))
        return;
    for (std::uint32_t key : SelectedDoorKeys())
        AddQueued(DoorMonitoring::MakeDoorCommand(key, code));
}

void CMonitorForm::OnUpdateState()
{
    if (!RequireConnection(true))
        return;
    for (std::uint32_t key : SelectedDoorKeys())
        QueuePoll(key);
}

void CMonitorForm::OnRemoveDoors()
{
    for (int row = m_controlList->topLevelItemCount() - 1; row >= 0; --row) {
        if (m_controlList->topLevelItem(row)->isSelected())
            delete m_controlList->takeTopLevelItem(row);
    }
}

void CMonitorForm::OnClearMonitor()
{
    m_monitorList->clear();
}

void CMonitorForm::LoadDoors()
{
    SaveDoors();
    try {
        MonitoredDoors::Load(MonitorNetwork(), [this](const MonitoredDoors::Door& door) { OnAddDoor(door.key, door.label); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CMonitorForm::SaveDoors()
{
    std::vector<std::uint32_t> keys;
    for (int row = 0; row < m_controlList->topLevelItemCount(); ++row)
        keys.push_back(m_controlList->topLevelItem(row)->data(0, kDoorKeyRole).toUInt());
    try {
        MonitoredDoors::Save(keys);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    m_controlList->clear();
}

void CMonitorForm::FillEventFilter()
{
    m_filter->clear();
    const std::uint32_t mask = MonitoredEventsMask();
    for (int i = 0; i < DoorMonitoring::kCategoryCount; ++i) {
        const DoorMonitoring::Category& category = DoorMonitoring::Categories()[static_cast<std::size_t>(i)];
        auto* entry = new QListWidgetItem(QString::fromLatin1(category.name), m_filter);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState((mask & (1u << i)) ? Qt::Checked : Qt::Unchecked);
        entry->setData(kFilterKeyRole, category.key);
    }
}

std::uint32_t CMonitorForm::CheckedMask() const
{
    std::uint32_t mask = 0;
    for (int i = 0; i < m_filter->count(); ++i) {
        if (m_filter->item(i)->checkState() == Qt::Checked)
            mask |= 1u << i;
    }
    return mask;
}

void CMonitorForm::StoreEventFilter()
{
    CWFApp* app = GetApp();
    if (!app)
        return;
    int& mask = app->Settings().m_monitoredEvents;
    mask = static_cast<int>((static_cast<std::uint32_t>(mask) & ~kFilterBits) | CheckedMask());
}
