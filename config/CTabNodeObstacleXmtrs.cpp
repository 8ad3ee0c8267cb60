#include "config/CTabNodeObstacleXmtrs.h"

#include "common/SharedHelpers.h"
#include "config/IntegerField.h"
#include "config/NodeSetupLayout.h"
#include "config/PanelTextField.h"
#include "image/CVLControllerMemory.h"
#include "platform/MessageBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr std::array<const char*, CTabNodeObstacleXmtrs::kTransmitters> kRowNames = {"OBTx1:", "OBTx2:"};
constexpr std::array<const char*, CTabNodeObstacleXmtrs::kTransmitters> kRelayNames = {"(Relay C)", "(Relay D)"};
enum Column { kRowName, kFacility, kId, kName, kRelay, kRemove };

} // namespace

CTabNodeObstacleXmtrs::CTabNodeObstacleXmtrs(CVLControllerMemory& image, QWidget* parent)
    : QWidget(parent), m_image(image)
{
    setObjectName(QStringLiteral("CTabNodeObstacleXmtrs"));
    const bool mayChange = OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege);
    auto* group = new QGroupBox(QStringLiteral("Obstacle Transmitters"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Fac:"), this), 0, kFacility);
    grid->addWidget(new QLabel(QStringLiteral("ID:"), this), 0, kId);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, kName);
    for (int row = 0; row < kTransmitters; ++row) {
        Row& controls = m_rows[row];
        controls.facility = new QLineEdit(this);
        controls.id = new QLineEdit(this);
        controls.name = new QLineEdit(this);
        controls.name->setMaxLength(ObstacleTransmitter::kNameLength);
        controls.remove = new QPushButton(style()->standardIcon(QStyle::SP_DialogDiscardButton), QString(), this);
        const int line = row + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(kRowNames[row]), this), line, kRowName);
        grid->addWidget(controls.facility, line, kFacility);
        grid->addWidget(controls.id, line, kId);
        grid->addWidget(controls.name, line, kName);
        grid->addWidget(new QLabel(QString::fromLatin1(kRelayNames[row]), this), line, kRelay);
        grid->addWidget(controls.remove, line, kRemove);
        for (QWidget* control : {static_cast<QWidget*>(controls.facility), static_cast<QWidget*>(controls.id),
                                 static_cast<QWidget*>(controls.name), static_cast<QWidget*>(controls.remove)})
            control->setEnabled(mayChange);
        ObstacleRecord block{};
        image.ExchangeObstacleBlock(row, block, 1);
        Show(row, ObstacleTransmitter::Decode(block));
        connect(controls.facility, &QLineEdit::textChanged, this,
                [field = controls.facility] { CheckField(field, ObstacleTransmitter::kMaxFacility); });
        connect(controls.id, &QLineEdit::textChanged, this,
                [field = controls.id] { CheckField(field, ObstacleTransmitter::kMaxId); });
        connect(controls.remove, &QPushButton::clicked, this, [this, row] { Remove(row); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(
        new QLabel(QStringLiteral("Note: An obstacle transmitter cannot be part of a learned transmitter block."), this));
    layout->addStretch();
}

void CTabNodeObstacleXmtrs::Show(int row, const ObstacleTransmitter& transmitter)
{
    m_rows[row].facility->setText(QString::number(transmitter.facility));
    m_rows[row].id->setText(QString::number(transmitter.id));
    m_rows[row].name->setText(transmitter.name);
}

void CTabNodeObstacleXmtrs::CheckField(QLineEdit* field, int max)
{
    if (ReadIntegerField(field->text(), 0, max))
        return;
    field->setText(QStringLiteral("0"));
    field->setFocus();
    field->selectAll();
}

void CTabNodeObstacleXmtrs::Remove(int row)
{
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this?"), MbButtons::YesNo, MbIcon::Question)
        == IDYES)
        Show(row, {});
}

bool CTabNodeObstacleXmtrs::CheckPanelTexts() const
{
    for (int row = 0; row < kTransmitters; ++row) {
        if (!CheckPanelTextField(QString::fromLatin1(kRowNames[row]).chopped(1) + QStringLiteral(" name"),
                                 m_rows[row].name))
            return false;
    }
    return true;
}

void CTabNodeObstacleXmtrs::Store()
{
    for (int row = 0; row < kTransmitters; ++row) {
        ObstacleTransmitter transmitter;
        // The fields only ever hold numbers in range: each change is checked.
        transmitter.facility = m_rows[row].facility->text().toInt();
        transmitter.id = m_rows[row].id->text().toInt();
        transmitter.name = m_rows[row].name->text();
        ObstacleRecord block = transmitter.Encode();
        m_image.ExchangeObstacleBlock(row, block, 0);
    }
}
