#pragma once

#include "linkforms/NetworkConnectionValues.h"
#include "linkforms/NetworkDevices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTreeWidget;

// "Edit the settings for this network": one network's row of the networks
// table. The caller sets the values before opening and reads them after OK.
class CDlgNetworkConnection : public QDialog
{
    Q_OBJECT
public:
    // Privilege 4: configure the current installation.
    static constexpr int kConfigurePrivilege = 4;
    enum Control {
        IdEnable = 2167,
        IdName = 1107,
        IdPassword = 1150,
        IdDaylight = 1306,
        IdOffset = 1709,
        IdConnectUsing = 1584,
        IdUseCountry = 2149,
        IdCountry = 1087,
        IdPhone = 1736,
        IdDevices = 2737,
    };

    explicit CDlgNetworkConnection(const NetworkConnectionValues& values, QWidget* parent = nullptr);

    // The values as the operator left them (read after OK).
    const NetworkConnectionValues& Values() const { return m_values; }

    // The rows of the anti-passback device list.
    void SetDevices(const std::vector<AntiPassbackDevice>& rows);

    void accept() override;

private:
    void FillCountryCodeList();
    void ApplyEnablingRules();
    void SaveValues();

    NetworkConnectionValues m_values;
    QCheckBox* m_enable = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_daylight = nullptr;
    QSpinBox* m_offset = nullptr;
    QComboBox* m_connectUsing = nullptr;
    QCheckBox* m_useCountry = nullptr;
    QComboBox* m_country = nullptr;
    QLineEdit* m_phone = nullptr;
    QTreeWidget* m_devices = nullptr;
};
