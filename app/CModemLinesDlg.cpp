#include "app/CModemLinesDlg.h"

#include "link/CountryTable.h"
#include "link/DialingLocation.h"
#include "link/ModemLines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
enum Column { kDevice, kName, kColumnCount };
constexpr int kIdRole = Qt::UserRole;
} // namespace

CModemLinesDlg::CModemLinesDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Modem Lines and Dialing Location"));
    auto* layout = new QVBoxLayout(this);

    auto* linesGroup = new QGroupBox(QStringLiteral("Modem lines"), this);
    auto* linesLayout = new QVBoxLayout(linesGroup);
    m_lines = new QTableWidget(0, kColumnCount, linesGroup);
    m_lines->setHorizontalHeaderLabels({QStringLiteral("Device"), QStringLiteral("Name")});
    m_lines->horizontalHeader()->setStretchLastSection(true);
    linesLayout->addWidget(m_lines);
    auto* lineButtons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("&Add"), linesGroup);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), linesGroup);
    lineButtons->addWidget(add);
    lineButtons->addWidget(remove);
    lineButtons->addStretch();
    linesLayout->addLayout(lineButtons);
    layout->addWidget(linesGroup);

    auto* locationGroup = new QGroupBox(QStringLiteral("Dialing from"), this);
    auto* form = new QFormLayout(locationGroup);
    m_country = new QComboBox(locationGroup);
    for (const Country& country : Countries())
        m_country->addItem(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(country.name), QString::number(country.dialCode)),
                           country.id);
    m_areaCode = new QLineEdit(locationGroup);
    m_outsideLine = new QLineEdit(locationGroup);
    m_longDistance = new QLineEdit(locationGroup);
    m_international = new QLineEdit(locationGroup);
    form->addRow(QStringLiteral("Country:"), m_country);
    form->addRow(QStringLiteral("Area code:"), m_areaCode);
    form->addRow(QStringLiteral("Outside line prefix:"), m_outsideLine);
    form->addRow(QStringLiteral("Long-distance prefix:"), m_longDistance);
    form->addRow(QStringLiteral("International prefix:"), m_international);
    layout->addWidget(locationGroup);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, &CModemLinesDlg::OnAddLine);
    connect(remove, &QPushButton::clicked, this, &CModemLinesDlg::OnRemoveLine);
    connect(buttons, &QDialogButtonBox::accepted, this, &CModemLinesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CModemLinesDlg::reject);
    Load();
}

void CModemLinesDlg::AddRow(int id, const QString& device, const QString& name)
{
    const int row = m_lines->rowCount();
    m_lines->insertRow(row);
    auto* deviceItem = new QTableWidgetItem(device);
    deviceItem->setData(kIdRole, id);
    m_lines->setItem(row, kDevice, deviceItem);
    m_lines->setItem(row, kName, new QTableWidgetItem(name));
}

void CModemLinesDlg::Load()
{
    for (const ModemLineSetting& line : ModemLines::Load())
        AddRow(line.id, line.device, line.name);
    const DialingLocation location = DialingLocation::Load();
    m_country->setCurrentIndex(std::max(0, m_country->findData(location.countryId)));
    m_areaCode->setText(location.areaCode);
    m_outsideLine->setText(location.outsideLine);
    m_longDistance->setText(location.longDistance);
    m_international->setText(location.international);
}

void CModemLinesDlg::OnAddLine()
{
    // A new line takes an identifier no line had, so a stored choice never
    // moves to another modem.
    int id = 0;
    for (int row = 0; row < m_lines->rowCount(); ++row)
        id = std::max(id, m_lines->item(row, kDevice)->data(kIdRole).toInt() + 1);
    if (id >= ModemLines::kMaxLines)
        return;
    AddRow(id, QString(), QString());
    m_lines->setCurrentCell(m_lines->rowCount() - 1, kDevice);
}

void CModemLinesDlg::OnRemoveLine()
{
    if (m_lines->currentRow() >= 0)
        m_lines->removeRow(m_lines->currentRow());
}

void CModemLinesDlg::Save() const
{
    std::vector<ModemLineSetting> lines;
    for (int row = 0; row < m_lines->rowCount(); ++row) {
        const QTableWidgetItem* device = m_lines->item(row, kDevice);
        const QTableWidgetItem* name = m_lines->item(row, kName);
        lines.push_back({device->data(kIdRole).toInt(), device->text(), name ? name->text() : QString()});
    }
    ModemLines::Save(lines);

    DialingLocation location;
    location.countryId = m_country->currentData().toInt();
    location.areaCode = m_areaCode->text();
    location.outsideLine = m_outsideLine->text();
    location.longDistance = m_longDistance->text();
    location.international = m_international->text();
    location.Save();
}

void CModemLinesDlg::accept()
{
    Save();
    QDialog::accept();
}
