#include "config/CTabFacilityCodes.h"

#include "common/SharedHelpers.h"
#include "config/IntegerField.h"
#include "config/PageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kColumnsPerGroup = 2;
constexpr int kFieldsPerColumn = FacilityCodeValues::kCodes / kColumnsPerGroup;
// The sixth transmitter label has always read "6" without its colon.
constexpr int kLabelWithoutColon = 6;
// Room for five digits.
constexpr int kFieldWidth = 70;

} // namespace

CTabFacilityCodes::CTabFacilityCodes(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CTabFacilityCodes"));
    m_values.Load(doc);
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    auto* outer = new QVBoxLayout(this);
    auto* layout = new QHBoxLayout;
    outer->addLayout(layout);
    outer->addStretch();
    // "Facilitity" is the group's title as operators know it.
    const std::array<std::pair<const char*, std::array<QLineEdit*, FacilityCodeValues::kCodes>*>, 2> groups = {
        std::pair{"Transmitter Facility Codes", &m_transmitter}, std::pair{"Card Facilitity Codes", &m_card}};
    for (const auto& [title, fields] : groups) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < FacilityCodeValues::kCodes; ++i) {
            const int n = i + 1;
            const bool plain = fields == &m_transmitter && n == kLabelWithoutColon;
            const int row = i % kFieldsPerColumn;
            const int column = (i / kFieldsPerColumn) * kColumnsPerGroup;
            grid->addWidget(new QLabel(plain ? QString::number(n) : QStringLiteral("%1:").arg(n), box), row, column);
            auto* field = new QLineEdit(box);
            field->setAlignment(Qt::AlignRight);
            field->setMaximumWidth(kFieldWidth);
            field->setEnabled(mayChange);
            grid->addWidget(field, row, column + 1);
            (*fields)[i] = field;
        }
        layout->addWidget(box);
    }
    layout->addStretch();
    ShowValues();
    for (int i = 0; i < FacilityCodeValues::kCodes; ++i) {
        connect(m_transmitter[i], &QLineEdit::textChanged, this,
                [this, i] { OnFieldChanged(m_transmitter[i], m_values.transmitter[i]); });
        connect(m_card[i], &QLineEdit::textChanged, this, [this, i] { OnFieldChanged(m_card[i], m_values.card[i]); });
    }
}

bool CTabFacilityCodes::TakeControls()
{
    for (int i = 0; i < FacilityCodeValues::kCodes; ++i) {
        for (auto [field, value] : {std::pair{m_transmitter[i], &m_values.transmitter[i]}, std::pair{m_card[i], &m_values.card[i]}}) {
            const std::optional<int> number = ReadIntegerField(field->text(), 0, FacilityCodeValues::kHighest);
            if (!number)
                return false;
            *value = static_cast<std::uint16_t>(*number);
        }
    }
    return true;
}

void CTabFacilityCodes::ShowValues()
{
    for (int i = 0; i < FacilityCodeValues::kCodes; ++i) {
        for (auto [field, value] : {std::pair{m_transmitter[i], m_values.transmitter[i]}, std::pair{m_card[i], m_values.card[i]}}) {
            const QString text = QString::number(value);
            if (field->text() != text) {
                const QSignalBlocker block(field);
                field->setText(text);
            }
        }
    }
}

void CTabFacilityCodes::OnFieldChanged(QLineEdit* field, std::uint16_t& value)
{
    if (TakeControls()) {
        // Each field is shown from its number, so leading zeros go.
        ShowValues();
        return;
    }
    value = 0;
    ShowValues();
    field->setFocus();
    field->selectAll();
}

void CTabFacilityCodes::Store()
{
    // A field still refused keeps the last value it was given.
    TakeControls();
    m_values.Store(m_doc);
}
