#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/NodeNamesValues.h"

#include <QWidget>

#include <array>

class CWFDoc;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

// The Names page of node setup: the controller's names, door settings,
// display-message set and directory subsets.
class CTabNodeNames : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    CTabNodeNames(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;
    bool CheckPanelTexts() const override;
    // What the controls hold, as the form writes it into the image.
    NodeNamesValues Values() const;

    QLineEdit* ControllerField() const { return m_controller; }
    QLineEdit* ChannelField(int door) const { return m_channels[door]; }
    QLineEdit* DoorAjarField() const { return m_doorAjar; }
    QComboBox* DisplayMessageSetList() const { return m_displaySet; }
    QListWidget* SubsetList() const { return m_subsets; }
    QLineEdit* InstallationField() const { return m_installation; }
    QLineEdit* NetworkField() const { return m_network; }
    QLabel* NetworkAddressLabel() const { return m_address; }

private:
    void CheckDoorAjar();

    CWFDoc& m_doc;
    NodeNamesValues m_loaded;
    QLineEdit* m_installation = nullptr;
    QLineEdit* m_controller = nullptr;
    QLineEdit* m_network = nullptr;
    std::array<QLineEdit*, NodeNamesValues::kChannels> m_channels{};
    std::array<QCheckBox*, NodeNamesValues::kChannels> m_priority{};
    QComboBox* m_radio = nullptr;
    QLabel* m_address = nullptr;
    QCheckBox* m_keldara = nullptr;
    QComboBox* m_keypad = nullptr;
    QLineEdit* m_doorAjar = nullptr;
    QSpinBox* m_doorAjarSpin = nullptr;
    QComboBox* m_displaySet = nullptr;
    QListWidget* m_subsets = nullptr;
};
