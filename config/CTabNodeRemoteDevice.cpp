#include "config/CTabNodeRemoteDevice.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/NodeSetupLayout.h"
#include "config/PageLayout.h"
#include "config/PanelTextField.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kFirstReaderRow = 8;
constexpr int kDoorCount = 4;
enum Column { kLabelColumn, kTypeColumn, kChannelColumn, kDirectionColumn, kFirstOptionColumn, kNameColumn = 8, kNoteColumn };
constexpr const char* kOptionLetters = "ABCD";

// How the tooltips name a row's device.
QString DeviceWords(int row)
{
    if (row == kFirstReaderRow)
        return QStringLiteral("Wiegand A device");
    if (row == kFirstReaderRow + 1)
        return QStringLiteral("Wiegand B device");
    return QStringLiteral("KAVEL device ") + QString::number(row);
}

} // namespace

CTabNodeRemoteDevice::CTabNodeRemoteDevice(CWFDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_mayChange(OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege))
{
    setObjectName(QStringLiteral("CTabNodeRemoteDevice"));
    m_model.Load(doc.m_controllerMemory);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::pair<int, const char*> heads[] = {{kTypeColumn, "Device"},
                                                 {kChannelColumn, "Control Channel"},
                                                 {kDirectionColumn, "Direction"},
                                                 {kFirstOptionColumn, "Enable Option"},
                                                 {kNameColumn, "Name"}};
    for (const auto& [column, text] : heads)
        grid->addWidget(new QLabel(QString::fromLatin1(text), this), 0, column,
                        1, column == kFirstOptionColumn ? RemoteDeviceRows::kOptions : 1);
    grid->addWidget(new QLabel(QStringLiteral("A   B   C    D"), this), 1, kFirstOptionColumn, 1,
                    RemoteDeviceRows::kOptions);
    for (int row = 1; row <= kRows; ++row)
        BuildRow(row, grid);
    layout->addLayout(grid);
    layout->addStretch(1);
}

QStringList CTabNodeRemoteDevice::ChannelNames(int row) const
{
    QStringList names;
    for (int door = 1; door <= kDoorCount; ++door) {
        QString label;
        m_doc.DoorLabel(label, door, true);
        names << label;
    }
    names << QStringLiteral("Buttons");
    for (int cab = 1; cab <= RemoteDeviceRows::kCabs; ++cab)
        names << QStringLiteral("Cab ") + QString::number(cab);
    if (row <= RemoteDeviceRows::kLastBusRow)
        names << QStringLiteral("Elevator Control");
    return names;
}

void CTabNodeRemoteDevice::BuildRow(int row, QGridLayout* grid)
{
    RowControls& c = m_rows[static_cast<size_t>(row - 1)];
    const int line = row + 1;
    const QString device = DeviceWords(row);
    grid->addWidget(new QLabel(QStringLiteral("DV%1:").arg(row), this), line, kLabelColumn);
    c.type = new QComboBox(this);
    c.type->addItems(RemoteDeviceRows::TypeNames(row));
    c.type->setToolTip(QStringLiteral("Type for ") + device);
    c.channel = new QComboBox(this);
    c.channel->addItems(ChannelNames(row));
    c.channel->setToolTip(QStringLiteral("Channel control for ") + device);
    c.direction = new QComboBox(this);
    c.direction->addItems({QStringLiteral("None"), QStringLiteral("In"), QStringLiteral("Out")});
    c.direction->setToolTip(QStringLiteral("Direction for ") + device);
    grid->addWidget(c.type, line, kTypeColumn);
    grid->addWidget(c.channel, line, kChannelColumn);
    grid->addWidget(c.direction, line, kDirectionColumn);
    for (int option = 0; option < RemoteDeviceRows::kOptions; ++option) {
        auto* box = new QCheckBox(this);
        box->setToolTip(QStringLiteral("Option ") + QLatin1Char(kOptionLetters[option]) + QStringLiteral(" for ")
                        + device);
        box->setEnabled(m_mayChange);
        c.options[static_cast<size_t>(option)] = box;
        grid->addWidget(box, line, kFirstOptionColumn + option);
    }
    c.name = new QLineEdit(this);
    c.name->setMaxLength(NodeSetupLayout::kNameLength);
    c.name->setToolTip(QStringLiteral("Name for ") + device);
    c.name->setEnabled(m_mayChange);
    grid->addWidget(c.name, line, kNameColumn);
    if (row >= kFirstReaderRow)
        grid->addWidget(PageLayout::MakeNote(row == kFirstReaderRow ? QStringLiteral("Reader A") : QStringLiteral("Reader B"),
                                             PageLayout::NoteKind::Explanation, this),
                        line, kNoteColumn);
    // The phone row's type is the panel's own.
    c.type->setEnabled(m_mayChange && row != RemoteDeviceRows::kPhoneRow);

    const RemoteDeviceRows::Row& r = m_model.At(row);
    c.name->setText(r.name);
    for (int option = 0; option < RemoteDeviceRows::kOptions; ++option)
        c.options[static_cast<size_t>(option)]->setChecked(r.options[static_cast<size_t>(option)]);
    ShowRow(row);
    connect(c.type, &QComboBox::currentIndexChanged, this, [this, row](int position) { OnTypeChosen(row, position); });
    connect(c.channel, &QComboBox::currentIndexChanged, this,
            [this, row](int channel) { OnChannelChosen(row, channel); });
}

void CTabNodeRemoteDevice::ShowRow(int row)
{
    const RowControls& c = m_rows[static_cast<size_t>(row - 1)];
    const RemoteDeviceRows::Row& r = m_model.At(row);
    m_showing = true;
    c.type->setCurrentIndex(RemoteDeviceRows::TypePosition(row, r.type));
    c.channel->setCurrentIndex(r.channel < c.channel->count() ? r.channel : -1);
    c.direction->setCurrentIndex(r.direction < c.direction->count() ? r.direction : -1);
    m_showing = false;
    const bool free = m_mayChange && !m_model.IsChannelFixed(row);
    c.channel->setEnabled(free);
    c.direction->setEnabled(free);
}

void CTabNodeRemoteDevice::OnTypeChosen(int row, int position)
{
    if (m_showing || position < 0)
        return;
    const QString refusal = m_model.ChangeType(row, RemoteDeviceRows::TypeCode(row, position));
    if (!refusal.isEmpty())
        ShowMessageBox(refusal);
    ShowRow(row);
}

void CTabNodeRemoteDevice::OnChannelChosen(int row, int channel)
{
    if (m_showing || channel < 0)
        return;
    const QString refusal = m_model.ChangeChannel(row, channel);
    if (!refusal.isEmpty())
        ShowMessageBox(refusal);
    ShowRow(row);
}

bool CTabNodeRemoteDevice::CheckPanelTexts() const
{
    for (int row = 1; row <= kRows; ++row) {
        if (!CheckPanelTextField(QStringLiteral("DV%1 name").arg(row), NameEdit(row)))
            return false;
    }
    return true;
}

void CTabNodeRemoteDevice::Store()
{
    for (int row = 1; row <= kRows; ++row) {
        const RowControls& c = m_rows[static_cast<size_t>(row - 1)];
        std::array<bool, RemoteDeviceRows::kOptions> options{};
        for (int option = 0; option < RemoteDeviceRows::kOptions; ++option)
            options[static_cast<size_t>(option)] = c.options[static_cast<size_t>(option)]->isChecked();
        const int shown = c.direction->currentIndex();
        m_model.SetDetails(row, shown >= 0 ? shown : m_model.At(row).direction, options, c.name->text());
    }
    for (const auto& [cab, mask] : m_model.Save(m_doc.m_controllerMemory))
        m_doc.MaskFloorCabRelays(cab, mask);
}
