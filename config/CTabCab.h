#pragma once

#include "config/CabFloorRelays.h"

#include <QWidget>

#include <array>
#include <functional>

class CWFDoc;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

// The relays of one elevator cab that reach each floor of the node.
class CTabCab : public QWidget
{
    Q_OBJECT
public:
    // Whether another cab's page shows the relay ticked; it says so when it does.
    using RelayUsedByOtherCab = std::function<bool(int cab, int module, int relay)>;

    CTabCab(CWFDoc& doc, int cab, int net, int node, RelayUsedByOtherCab usedByOtherCab, QWidget* parent = nullptr);

    // The cab's device, the modules that may be ticked, and the floors afresh.
    void Refresh();
    void LoadFloors();
    // Writes the floors changed on this page and marks data to program when
    // a row was written. Nothing after a Cancel nor while the databases are
    // closed.
    void Save();
    void SetCancelled() { m_cancelled = true; }
    // Whether the relay is ticked for the floor shown now.
    bool IsRelaySelected(int module, int relay) const;

    int Cab() const { return m_model.Cab(); }
    QComboBox* FloorList() const { return m_floors; }
    QListWidget* ModuleList(int module) const { return m_modules[static_cast<size_t>(module - 1)]; }
    QLabel* DeviceText() const { return m_device; }
    QLabel* Hint() const { return m_hint; }
    QLabel* NoFloorsNote() const { return m_noFloors; }

private:
    void ShowFloorRelays(int position);
    void OnFloorChosen(int position);
    void OnRelayChanged(int module, QListWidgetItem* item);
    // Why a tick is refused, empty when it may stand.
    QString TickRefusal() const;
    void SetTicked(QListWidgetItem* item, bool ticked);

    CWFDoc& m_doc;
    int m_net;
    int m_node;
    RelayUsedByOtherCab m_usedByOtherCab;
    CabFloorRelays m_model;
    int m_position = -1;
    bool m_cancelled = false;
    QComboBox* m_floors = nullptr;
    std::array<QListWidget*, CabRelayMask::kModules> m_modules{};
    QLabel* m_device = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_noFloors = nullptr;
};
