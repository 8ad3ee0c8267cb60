#include "linkforms/CDlgNetworkConnection.h"

#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "common/Vocabulary.h"
#include "link/ComPortPath.h"
#include "link/CountryTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kNameColumnWidth = 200;
constexpr int kTypeColumnWidth = 80;
constexpr int kDirectionColumnWidth = 60;
constexpr int kModemIndex = 0;
} // namespace

CDlgNetworkConnection::CDlgNetworkConnection(const NetworkConnectionValues& values, QWidget* parent)
    : QDialog(parent), m_values(values)
{
    setWindowTitle(tr("Edit the settings for this network"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto name = [](QWidget* widget, int id) {
        widget->setObjectName(QString::number(id));
        return widget;
    };
    m_enable = new QCheckBox(tr("&Enable Network"), this);
    m_enable->setChecked(values.enabled);
    form->addRow(name(m_enable, IdEnable));
    m_name = new QLineEdit(values.name.left(NetworkConnectionValues::kNameMax), this);
    m_name->setMaxLength(NetworkConnectionValues::kNameMax);
    form->addRow(tr("Name:"), name(m_name, IdName));
    m_password = new QLineEdit(values.password.left(NetworkConnectionValues::kPasswordMax), this);
    m_password->setMaxLength(NetworkConnectionValues::kPasswordMax);
    form->addRow(tr("Password:"), name(m_password, IdPassword));
    m_daylight = new QCheckBox(tr("Enable daylight savings"), this);
    m_daylight->setChecked(values.daylightSavings);
    form->addRow(name(m_daylight, IdDaylight));
    m_offset = new QSpinBox(this);
    m_offset->setRange(NetworkConnectionValues::kOffsetMin, NetworkConnectionValues::kOffsetMax);
    m_offset->setValue(values.hoursOffset);
    form->addRow(tr("Hours offset:"), name(m_offset, IdOffset));
    m_connectUsing = new QComboBox(this);
    m_connectUsing->addItem(QString::fromLatin1(ConnectUsingNames[kModemIndex]));
    // A COM number means nothing on this system without the device it stands for.
    for (int port = 1; port < static_cast<int>(ConnectUsingNames.size()); ++port)
        m_connectUsing->addItem(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(ConnectUsingNames[port]),
                                                              ComPortPath(port)));
    m_connectUsing->setCurrentIndex(values.connectUsing >= 0 && values.connectUsing < m_connectUsing->count()
                                        ? values.connectUsing
                                        : kModemIndex);
    form->addRow(tr("Connect using:"), name(m_connectUsing, IdConnectUsing));
    m_useCountry = new QCheckBox(tr("Use country code and area code"), this);
    m_useCountry->setChecked(values.useCountryAndArea);
    form->addRow(name(m_useCountry, IdUseCountry));
    m_country = new QComboBox(this);
    form->addRow(tr("Country code:"), name(m_country, IdCountry));
    m_phone = new QLineEdit(this);
    m_phone->setInputMask(PhoneField::Mask());
    m_phone->setText(PhoneField::Compose(values.areaCode, values.phoneNumber));
    form->addRow(tr("Phone number:"), name(m_phone, IdPhone));
    layout->addLayout(form);

    m_devices = new QTreeWidget(this);
    m_devices->setObjectName(QString::number(IdDevices));
    m_devices->setRootIsDecorated(false);
    m_devices->setHeaderLabels({tr("Name"), tr("Type"), tr("Direction")});
    m_devices->header()->resizeSection(0, kNameColumnWidth);
    m_devices->header()->resizeSection(1, kTypeColumnWidth);
    m_devices->header()->resizeSection(2, kDirectionColumnWidth);
    layout->addWidget(new QLabel(tr("Anti-PassBack Devices:"), this));
    layout->addWidget(m_devices);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgNetworkConnection::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_enable, &QCheckBox::toggled, this, &CDlgNetworkConnection::ApplyEnablingRules);
    connect(m_connectUsing, &QComboBox::currentIndexChanged, this, &CDlgNetworkConnection::ApplyEnablingRules);

    FillCountryCodeList();
    ApplyEnablingRules();
    // A connected network cannot be switched off from here.
    const ICommControlForm* comm = GetCommControlForm();
    if (values.enabled && comm && comm->IsConnected() && comm->GetSelectedNetwork() == values.net)
        m_enable->setEnabled(false);
}

void CDlgNetworkConnection::FillCountryCodeList()
{
    for (const Country& country : Countries()) {
        m_country->addItem(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(country.name)).arg(country.dialCode), country.id);
        if (country.id == m_values.countryId)
            m_country->setCurrentIndex(m_country->count() - 1);
    }
}

void CDlgNetworkConnection::ApplyEnablingRules()
{
    const bool mayConfigure = OperatorHasPrivilege(kConfigurePrivilege);
    const bool enabled = mayConfigure && m_enable->isChecked();
    const bool modem = enabled && m_connectUsing->currentIndex() == kModemIndex;
    m_enable->setEnabled(mayConfigure && m_enable->isEnabled());
    for (QWidget* widget : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_password),
                            static_cast<QWidget*>(m_daylight), static_cast<QWidget*>(m_offset),
                            static_cast<QWidget*>(m_connectUsing)})
        widget->setEnabled(enabled);
    for (QWidget* widget : {static_cast<QWidget*>(m_useCountry), static_cast<QWidget*>(m_country),
                            static_cast<QWidget*>(m_phone)})
        widget->setEnabled(modem);
}

void CDlgNetworkConnection::SetDevices(const std::vector<AntiPassbackDevice>& rows)
{
    m_devices->clear();
    for (const AntiPassbackDevice& row : rows)
        m_devices->addTopLevelItem(new QTreeWidgetItem(QStringList{row.name, row.type, row.direction}));
}

void CDlgNetworkConnection::SaveValues()
{
    m_values.enabled = m_enable->isChecked();
    m_values.name = m_name->text();
    m_values.password = m_password->text();
    m_values.daylightSavings = m_daylight->isChecked();
    m_values.hoursOffset = m_offset->value();
    m_values.connectUsing = m_connectUsing->currentIndex();
    m_values.useCountryAndArea = m_useCountry->isChecked();
    m_values.countryId = m_country->currentData().toInt();
    m_values.countryCode = CountryCodeOfEntry(m_country->currentText());
    PhoneField::Parse(m_phone->displayText(), m_values.areaCode, m_values.phoneNumber);
}

void CDlgNetworkConnection::accept()
{
    SaveValues();
    QDialog::accept();
}
