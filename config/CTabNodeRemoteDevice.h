#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/RemoteDeviceRows.h"

#include <QWidget>

#include <array>

class CWFDoc;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

// The readers, relay enclosure and relay modules on a controller's device
// bus and its two Wiegand inputs, one row each.
class CTabNodeRemoteDevice : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    static constexpr int kRows = RemoteDeviceRows::kRows;

    explicit CTabNodeRemoteDevice(CWFDoc& doc, QWidget* parent = nullptr);

    // Writes the rows into the controller's image; a cab or module no longer
    // there loses its relays in the node's floor rows.
    void Store() override;
    bool CheckPanelTexts() const override;

    // Rows counted from 1.
    QComboBox* TypeList(int row) const { return m_rows[static_cast<size_t>(row - 1)].type; }
    QComboBox* ChannelList(int row) const { return m_rows[static_cast<size_t>(row - 1)].channel; }
    QComboBox* DirectionList(int row) const { return m_rows[static_cast<size_t>(row - 1)].direction; }
    QCheckBox* OptionBox(int row, int option) const
    {
        return m_rows[static_cast<size_t>(row - 1)].options[static_cast<size_t>(option)];
    }
    QLineEdit* NameEdit(int row) const { return m_rows[static_cast<size_t>(row - 1)].name; }

private:
    struct RowControls
    {
        QComboBox* type = nullptr;
        QComboBox* channel = nullptr;
        QComboBox* direction = nullptr;
        std::array<QCheckBox*, RemoteDeviceRows::kOptions> options{};
        QLineEdit* name = nullptr;
    };

    QStringList ChannelNames(int row) const;
    void BuildRow(int row, QGridLayout* grid);
    // Shows the model's row, and whether its channel may be changed.
    void ShowRow(int row);
    void OnTypeChosen(int row, int position);
    void OnChannelChosen(int row, int channel);

    CWFDoc& m_doc;
    RemoteDeviceRows m_model;
    std::array<RowControls, kRows> m_rows{};
    bool m_mayChange = false;
    bool m_showing = false;
};
