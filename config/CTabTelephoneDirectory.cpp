#include "config/CTabTelephoneDirectory.h"

#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "config/CDlgEditDisplayMessage.h"
#include "config/DirectoryCodes.h"
#include "config/DisplayMessageSlots.h"
#include "config/PageLayout.h"
#include "database/GlobalRecordsets.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kSlotColumn = 0;
constexpr int kTextColumn = 1;
constexpr int kAlignColumn = 2;
constexpr int kSlotWidth = 35;
constexpr int kTextWidth = 145;
constexpr int kAlignWidth = 60;
constexpr int kPut = 0;

QComboBox* MakeList(const QStringList& items, int index, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(items);
    list->setCurrentIndex(index);
    return list;
}

} // namespace

CStepSpin::CStepSpin(QWidget* parent) : QSpinBox(parent)
{
    lineEdit()->setReadOnly(true);
}

CTabTelephoneDirectory::CTabTelephoneDirectory(CWFDoc& doc, std::function<void()> messagesChanged, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_messagesChanged(std::move(messagesChanged))
{
    setObjectName(QStringLiteral("CTabTelephoneDirectory"));
    m_values.Load(doc);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildSettings());
    layout->addWidget(BuildMessages(), 1);
    FillMessageList();
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    for (QWidget* control : std::initializer_list<QWidget*>{m_talkTime, m_beginsAt, m_codeLength, m_pbx, m_postalKey, m_reset})
        control->setEnabled(mayChange);
}

QWidget* CTabTelephoneDirectory::BuildSettings()
{
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    m_talkTime = new QSpinBox(box);
    m_talkTime->setRange(0, TelephoneDirectoryValues::kMaxTalkTime);
    m_talkTime->setValue(m_values.talkTime);
    form->addRow(QStringLiteral("Talk Time (seconds):"), m_talkTime);
    m_postalKey = MakeList({QStringLiteral("Relay A"), QStringLiteral("Relay B"), QStringLiteral("Relay C"),
                            QStringLiteral("Relay D")},
                           m_values.postalKeyDoor, box);
    form->addRow(QStringLiteral("Postal Key Door:"), m_postalKey);
    m_pbx = MakeList({QStringLiteral("Off"), QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("7"),
                      QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"),
                      QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("0")},
                     m_values.pbxDigit, box);
    form->addRow(QStringLiteral("PBX Dialing Digit:"), m_pbx);
    m_ignoreCase = new QCheckBox(QStringLiteral("Ignore case when sorting Directory Codes"), box);
    m_ignoreCase->setChecked(m_values.ignoreCase);
    form->addRow(m_ignoreCase);
    auto* codes = new QGroupBox(QStringLiteral("Directory Codes"), box);
    auto* codesForm = new QFormLayout(codes);
    m_codeLength = MakeList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")},
                            m_values.codeLengthIndex, codes);
    codesForm->addRow(QStringLiteral("Directory Code Length:"), m_codeLength);
    m_beginsAt = MakeList({QStringLiteral("Beginning (A)"), QStringLiteral("Middle (M)")},
                          m_values.beginsAtMiddle ? 1 : 0, codes);
    codesForm->addRow(QStringLiteral("Directory Begins At:"), m_beginsAt);
    form->addRow(codes);
    connect(m_codeLength, &QComboBox::currentIndexChanged, this, &CTabTelephoneDirectory::OnCodeLengthChanged);
    return box;
}

QWidget* CTabTelephoneDirectory::BuildMessages()
{
    auto* group = new QGroupBox(QStringLiteral("Display Messages"), this);
    auto* layout = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Select Message Set:"), group));
    m_setLabel = new QLabel(QString::number(m_set), group);
    row->addWidget(m_setLabel);
    m_setSpin = new CStepSpin(group);
    row->addWidget(m_setSpin);
    m_reset = new QPushButton(QStringLiteral("&Reset"), group);
    row->addWidget(m_reset);
    row->addStretch();
    layout->addLayout(row);
    m_messages = new QTableWidget(kDisplayMessagesPerSet, 3, group);
    m_messages->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Display Message"), QStringLiteral("Alignment")});
    m_messages->verticalHeader()->hide();
    m_messages->setSelectionMode(QAbstractItemView::SingleSelection);
    m_messages->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_messages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_messages->setColumnWidth(kSlotColumn, kSlotWidth);
    m_messages->setColumnWidth(kTextColumn, kTextWidth);
    m_messages->setColumnWidth(kAlignColumn, kAlignWidth);
    for (int slot = 0; slot < kDisplayMessagesPerSet; ++slot) {
        auto* number = new QTableWidgetItem(QString::number(slot));
        number->setTextAlignment(Qt::AlignCenter);
        m_messages->setItem(slot, kSlotColumn, number);
        m_messages->setItem(slot, kTextColumn, new QTableWidgetItem);
        m_messages->setItem(slot, kAlignColumn, new QTableWidgetItem);
    }
    layout->addWidget(m_messages, 1);
    connect(m_setSpin, &CStepSpin::Stepped, this, &CTabTelephoneDirectory::OnSetStep);
    connect(m_reset, &QPushButton::clicked, this, &CTabTelephoneDirectory::OnReset);
    connect(m_messages, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { EditDisplay(row); });
    return group;
}

void CTabTelephoneDirectory::FillMessageList()
{
    for (int slot = 0; slot < kDisplayMessagesPerSet; ++slot) {
        const TelephoneDirectoryValues::Message& message = m_values.At(m_set, slot);
        m_messages->item(slot, kTextColumn)->setText(message.text);
        m_messages->item(slot, kAlignColumn)->setText(DisplayMessageSlots::JustificationName(message.justification));
    }
}

void CTabTelephoneDirectory::OnSetStep(int steps)
{
    m_set = DisplayMessageSlots::SetAfterStep(m_set, steps);
    m_setLabel->setText(QString::number(m_set));
    FillMessageList();
}

void CTabTelephoneDirectory::EditDisplay(int row)
{
    if (!OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege))
        return;
    if (RequireConnection(false)) {
        if (ShowMessageBox(QStringLiteral("To proceed with this function you will be taken offline.\n\nDo you want to proceed?"),
                           MbButtons::YesNo, MbIcon::Question) != IDYES)
            return;
        if (ICommControlForm* form = GetCommControlForm())
            form->Disconnect();
    }
    if (row < 0 || row >= kDisplayMessagesPerSet)
        return;
    const int first = DisplayMessageSlots::FirstSlotOfPair(row);
    std::array<CDlgEditDisplayMessage::Line, CDlgEditDisplayMessage::kLines> lines{};
    for (int line = 0; line < CDlgEditDisplayMessage::kLines; ++line) {
        const TelephoneDirectoryValues::Message& message = m_values.At(m_set, first + line);
        lines[static_cast<size_t>(line)] = {first + line, message.text, message.justification};
    }
    CDlgEditDisplayMessage dialog(this);
    dialog.SetLines(lines);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool changed = false;
    for (const CDlgEditDisplayMessage::Line& line : dialog.Lines()) {
        TelephoneDirectoryValues::Message& message = m_values.At(m_set, line.slot);
        const TelephoneDirectoryValues::Message edited{line.text, line.justification};
        changed = changed || !(message == edited);
        message = edited;
    }
    if (!changed)
        return;
    FillMessageList();
    m_messagesChanged();
}

void CTabTelephoneDirectory::OnReset()
{
    if (ShowMessageBox(QStringLiteral("This sets all telephone entry display messages to the factory default."),
                       MbButtons::OkCancel, MbIcon::Information) != IDOK)
        return;
    m_values.ResetToFactory();
    FillMessageList();
    m_messagesChanged();
}

void CTabTelephoneDirectory::OnCodeLengthChanged(int index)
{
    const int old = m_values.codeLengthIndex;
    if (index < 0 || index == old)
        return;
    if (DirectoryCodes::AnyAssigned(g_setPhoneEntries)) {
        if (index < old) {
            ShowMessageBox(QStringLiteral("You must delete all directory codes before decreasing the length of all codes."));
            const QSignalBlocker block(m_codeLength);
            m_codeLength->setCurrentIndex(old);
            return;
        }
        DirectoryCodes::ConvertAssigned(g_setPhoneEntries, index + 1);
        // The stored length follows the codes at once, whatever becomes of
        // the editor's other changes.
        auto length = static_cast<std::uint8_t>(index);
        m_doc.DirectoryCodeLength(length, kPut);
        m_doc.ExchangeGlobalSettings(false, false);
    }
    m_values.codeLengthIndex = index;
}

void CTabTelephoneDirectory::Store()
{
    m_values.talkTime = m_talkTime->value();
    m_values.postalKeyDoor = m_postalKey->currentIndex();
    m_values.pbxDigit = m_pbx->currentIndex();
    m_values.codeLengthIndex = m_codeLength->currentIndex();
    m_values.beginsAtMiddle = m_beginsAt->currentIndex() == 1;
    m_values.ignoreCase = m_ignoreCase->isChecked();
    m_values.Store(m_doc);
}
