#include "config/CTabNodeNames.h"

#include "common/SharedHelpers.h"
#include "config/IntegerField.h"
#include "config/NodeSetupLayout.h"
#include "config/PanelTextField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kInstallationLength = 50;
constexpr int kDoorAjarMax = 255;
constexpr int kKeypadStrikesMax = 7;
constexpr int kDisplayMessageSets = 8;
constexpr std::array<const char*, NodeNamesValues::kChannels> kChannelLabels = {"Channel A:", "Channel B:",
                                                                                "Channel C:", "Channel D:"};

QLineEdit* NameField(const QString& text, int length, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(length);
    field->setText(text);
    return field;
}

} // namespace

CTabNodeNames::CTabNodeNames(CWFDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_loaded(NodeNamesValues::Load(doc))
{
    setObjectName(QStringLiteral("CTabNodeNames"));
    const bool mayChange = OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege);
    auto* names = new QGroupBox(QStringLiteral("Names"), this);
    auto* form = new QFormLayout(names);
    m_installation = NameField(m_loaded.installation, kInstallationLength, this);
    m_installation->setReadOnly(true);
    form->addRow(QStringLiteral("Installation:"), m_installation);
    m_controller = NameField(m_loaded.controller, NodeSetupLayout::kNameLength, this);
    m_controller->setEnabled(mayChange);
    form->addRow(QStringLiteral("Controller:"), m_controller);
    m_network = NameField(m_loaded.network, NodeSetupLayout::kNameLength, this);
    m_network->setReadOnly(true);
    form->addRow(QStringLiteral("Network:"), m_network);
    for (int door = 0; door < NodeNamesValues::kChannels; ++door) {
        m_channels[door] = NameField(m_loaded.channels[door], NodeSetupLayout::kNameLength, this);
        m_channels[door]->setEnabled(mayChange);
        form->addRow(QString::fromLatin1(kChannelLabels[door]), m_channels[door]);
    }

    auto* priority = new QGroupBox(QStringLiteral("Priority Access"), this);
    auto* priorityRow = new QHBoxLayout(priority);
    for (int door = 0; door < NodeNamesValues::kChannels; ++door) {
        m_priority[door] = new QCheckBox(QString(QLatin1Char(static_cast<char>('A' + door))), this);
        m_priority[door]->setChecked(m_loaded.priorityAccess[door]);
        m_priority[door]->setEnabled(mayChange);
        priorityRow->addWidget(m_priority[door]);
    }

    auto* others = new QFormLayout;
    m_radio = new QComboBox(this);
    m_radio->addItems({QStringLiteral("None"), QStringLiteral("In")});
    m_radio->setCurrentIndex(m_loaded.radioDirection);
    m_radio->setEnabled(mayChange);
    others->addRow(QStringLiteral("Integral Radio Direction:"), m_radio);
    m_address = new QLabel(NodeAddressText(m_loaded.nodeAddress), this);
    others->addRow(QStringLiteral("Network Address:"), m_address);
    m_keldara = new QCheckBox(this);
    m_keldara->setChecked(m_loaded.keldara);
    m_keldara->setEnabled(false);
    others->addRow(QStringLiteral("Keldara:"), m_keldara);
    m_keypad = new QComboBox(this);
    for (int strikes = 0; strikes <= kKeypadStrikesMax; ++strikes)
        m_keypad->addItem(QString::number(strikes));
    m_keypad->setCurrentIndex(m_loaded.keypadStrikes);
    m_keypad->setEnabled(mayChange);
    others->addRow(QStringLiteral("Keypad Strikes and Out Allowed:"), m_keypad);
    auto* ajarRow = new QHBoxLayout;
    m_doorAjar = new QLineEdit(QString::number(m_loaded.doorAjarTime), this);
    m_doorAjarSpin = new QSpinBox(this);
    m_doorAjarSpin->setRange(0, kDoorAjarMax);
    m_doorAjarSpin->setValue(m_loaded.doorAjarTime);
    m_doorAjar->setEnabled(mayChange);
    m_doorAjarSpin->setEnabled(mayChange);
    ajarRow->addWidget(m_doorAjar);
    ajarRow->addWidget(m_doorAjarSpin);
    others->addRow(QStringLiteral("Door Ajar Time in sec:"), ajarRow);
    m_displaySet = new QComboBox(this);
    for (int set = 1; set <= kDisplayMessageSets; ++set)
        m_displaySet->addItem(QString::number(set));
    m_displaySet->setCurrentIndex(m_loaded.displayMessageSet);
    others->addRow(QStringLiteral("Display Message Set:"), m_displaySet);
    m_subsets = new QListWidget(this);
    for (std::size_t i = 0; i < m_loaded.subsets.size(); ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("Subset ") + QLatin1Char(static_cast<char>('A' + i)), m_subsets);
        item->setCheckState(m_loaded.subsets[i] ? Qt::Checked : Qt::Unchecked);
    }
    m_subsets->setEnabled(mayChange);
    others->addRow(QStringLiteral("Directory Subsets:"), m_subsets);

    auto* layout = new QVBoxLayout(this);
    // The longest page of the form: the tab's frame stands for its top and
    // bottom margins, so that it fits the program's default window.
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(margins.left(), 0, margins.right(), 0);
    layout->addWidget(names);
    layout->addWidget(priority);
    layout->addLayout(others);
    layout->addStretch();

    connect(m_doorAjar, &QLineEdit::textChanged, this, &CTabNodeNames::CheckDoorAjar);
    connect(m_doorAjarSpin, &QSpinBox::valueChanged, this,
            [this](int value) { m_doorAjar->setText(QString::number(value)); });
}

void CTabNodeNames::CheckDoorAjar()
{
    if (const std::optional<int> value = ReadIntegerField(m_doorAjar->text(), 0, kDoorAjarMax)) {
        const QSignalBlocker quiet(m_doorAjarSpin);
        m_doorAjarSpin->setValue(*value);
        return;
    }
    m_doorAjar->setText(QStringLiteral("0"));
    m_doorAjar->setFocus();
    m_doorAjar->selectAll();
}

NodeNamesValues CTabNodeNames::Values() const
{
    NodeNamesValues values = m_loaded;
    values.controller = m_controller->text();
    for (int door = 0; door < NodeNamesValues::kChannels; ++door) {
        values.channels[door] = m_channels[door]->text();
        values.priorityAccess[door] = m_priority[door]->isChecked();
    }
    values.radioDirection = static_cast<std::uint8_t>(m_radio->currentIndex());
    values.keypadStrikes = static_cast<std::uint8_t>(m_keypad->currentIndex());
    values.doorAjarTime = static_cast<std::uint8_t>(m_doorAjarSpin->value());
    values.displayMessageSet = static_cast<std::uint8_t>(m_displaySet->currentIndex());
    for (int i = 0; i < m_subsets->count(); ++i)
        values.subsets[static_cast<std::size_t>(i)] = m_subsets->item(i)->checkState() == Qt::Checked;
    return values;
}

bool CTabNodeNames::CheckPanelTexts() const
{
    if (!CheckPanelTextField(QStringLiteral("Controller"), m_controller))
        return false;
    for (int door = 0; door < NodeNamesValues::kChannels; ++door) {
        if (!CheckPanelTextField(QString::fromLatin1(kChannelLabels[door]).chopped(1), m_channels[door]))
            return false;
    }
    return true;
}

void CTabNodeNames::Store()
{
    Values().Store(m_doc);
}
