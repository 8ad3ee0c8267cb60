#include "config/CTabCab.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/PageLayout.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "database/NetworkLetter.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// A cab's reader is the device on control channel 5-8.
constexpr int kCabChannelOffset = 4;
const QString kNotAssigned = QStringLiteral(" Not assigned");

} // namespace

CTabCab::CTabCab(CWFDoc& doc, int cab, int net, int node, RelayUsedByOtherCab usedByOtherCab, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_net(net), m_node(node), m_usedByOtherCab(std::move(usedByOtherCab)),
      m_model(cab, net, node)
{
    setObjectName(QStringLiteral("CTabCab"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Floor:"), this));
    m_floors = new QComboBox(this);
    layout->addWidget(m_floors);
    auto* group = new QGroupBox(QStringLiteral("Tovix Modules"), this);
    auto* modules = new QGridLayout(group);
    for (int module = 1; module <= CabRelayMask::kModules; ++module) {
        modules->addWidget(new QLabel(QStringLiteral("Mod%1").arg(module), group), 0, module - 1);
        auto* list = new QListWidget(group);
        for (int relay = 1; relay <= CabRelayMask::kRelaysPerModule; ++relay) {
            auto* item = new QListWidgetItem(QStringLiteral("Relay %1").arg(relay), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Unchecked);
        }
        modules->addWidget(list, 1, module - 1);
        m_modules[static_cast<size_t>(module - 1)] = list;
        connect(list, &QListWidget::itemChanged, this, [this, module](QListWidgetItem* item) { OnRelayChanged(module, item); });
    }
    layout->addWidget(group);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(new QLabel(QStringLiteral("Cab Device:"), this));
    m_device = PageLayout::MakeNote(QString(), PageLayout::NoteKind::Explanation, this);
    deviceRow->addWidget(m_device, 1);
    layout->addLayout(deviceRow);
    m_hint = PageLayout::MakeNote(QStringLiteral("Check the Node Setup tab \"Remote Devices\"."),
                                  PageLayout::NoteKind::Warning, this);
    layout->addWidget(m_hint);
    m_noFloors = new QLabel(
        QStringLiteral("There are no floor names available. Please select the Floor Names tab to add names."), this);
    m_noFloors->setWordWrap(true);
    layout->addWidget(m_noFloors);
    layout->addStretch(1);
    connect(m_floors, &QComboBox::currentIndexChanged, this, &CTabCab::OnFloorChosen);
    Refresh();
}

void CTabCab::Refresh()
{
    const QString device = m_doc.ReaderTypeName(static_cast<std::uint8_t>(Cab() + kCabChannelOffset));
    m_device->setText(device);
    m_hint->setVisible(device == kNotAssigned);
    LoadFloors();
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    for (int module = 1; module <= CabRelayMask::kModules; ++module)
        ModuleList(module)->setEnabled(mayChange && m_doc.HasCabDevice(module));
}

void CTabCab::LoadFloors()
{
    const QSignalBlocker quiet(m_floors);
    m_floors->clear();
    m_position = -1;
    try {
        m_model.Load(g_setFloorNames);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    for (int position = 0; position < m_model.Floors(); ++position)
        m_floors->addItem(m_model.Name(position));
    m_noFloors->setVisible(m_model.Floors() == 0);
    if (m_model.Floors() > 0) {
        m_position = 0;
        m_floors->setCurrentIndex(0);
    }
    ShowFloorRelays(m_position);
}

void CTabCab::ShowFloorRelays(int position)
{
    for (int module = 1; module <= CabRelayMask::kModules; ++module) {
        QListWidget* list = ModuleList(module);
        const QSignalBlocker quiet(list);
        for (int relay = 0; relay < CabRelayMask::kRelaysPerModule; ++relay)
            list->item(relay)->setCheckState(m_model.IsRelaySet(position, module, relay) ? Qt::Checked : Qt::Unchecked);
    }
}

void CTabCab::OnFloorChosen(int position)
{
    // The ticks of the floor left are already in the model.
    m_position = position;
    ShowFloorRelays(position);
}

void CTabCab::SetTicked(QListWidgetItem* item, bool ticked)
{
    const QSignalBlocker quiet(item->listWidget());
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QString CTabCab::TickRefusal() const
{
    if (m_floors->count() == 0)
        return QStringLiteral("There are no floor names available for node ") + NetworkLetter(m_net)
               + QString::number(m_node) + QStringLiteral(".\n\nSelect the Floor Names tab to add names.");
    if (m_device->text() == kNotAssigned)
        return QStringLiteral("You must assign a device for Cab%1.\n\nSelect the Remote Devices tab in Node Setup.")
            .arg(Cab());
    return {};
}

void CTabCab::OnRelayChanged(int module, QListWidgetItem* item)
{
    const int relay = item->listWidget()->row(item);
    // Only a tick is refused, so the shown relays never disagree with the stored ones.
    if (item->checkState() == Qt::Checked) {
        if (const QString refusal = TickRefusal(); !refusal.isEmpty()) {
            ShowMessageBox(refusal);
            SetTicked(item, false);
            return;
        }
        for (int other = 1; other <= CabRelayMask::kModules; ++other) {
            if (other != Cab() && m_usedByOtherCab && m_usedByOtherCab(other, module, relay)) {
                SetTicked(item, false);
                return;
            }
        }
    }
    std::array<bool, CabRelayMask::kRelaysPerModule> relays{};
    QListWidget* list = ModuleList(module);
    for (int r = 0; r < CabRelayMask::kRelaysPerModule; ++r)
        relays[static_cast<size_t>(r)] = list->item(r)->checkState() == Qt::Checked;
    m_model.SetModuleRelays(m_position, module, relays);
}

bool CTabCab::IsRelaySelected(int module, int relay) const
{
    if (module < 1 || module > CabRelayMask::kModules || relay < 0 || relay >= CabRelayMask::kRelaysPerModule)
        return false;
    return ModuleList(module)->item(relay)->checkState() == Qt::Checked;
}

void CTabCab::Save()
{
    if (m_cancelled || g_bDatabasesClosed || !g_setFloorNames.IsOpen())
        return;
    try {
        if (m_model.Save(g_setFloorNames))
            MarkDataToProgram();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}
