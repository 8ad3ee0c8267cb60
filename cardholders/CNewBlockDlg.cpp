#include "cardholders/CNewBlockDlg.h"

#include "app/TitleWidth.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialNumberField.h"
#include "cardholders/CredentialViewTexts.h"
#include "cardholders/FacilityCodeCheckList.h"
#include "database/WaitCursor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNewBlockDlg::CNewBlockDlg(CredentialKind kind, CWFDoc* doc, QWidget* parent) : QDialog(parent), m_kind(kind)
{
    const CredentialViewTexts& texts = ViewTextsOf(kind);
    setWindowTitle(texts.blockDialogCaption);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(CredentialBlocks::kLongestName);
    m_start = new QLineEdit(QStringLiteral("1"), this);
    m_end = new QLineEdit(QStringLiteral("1"), this);
    m_facilityCodes = new FacilityCodeCheckList(this);
    m_facilityCodes->Fill(kind, doc);
    auto* form = new QFormLayout;
    form->addRow(texts.blockNameLabel, m_name);
    form->addRow(texts.blockStartLabel, m_start);
    form->addRow(texts.blockEndLabel, m_end);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Facility Codes:"), this));
    layout->addWidget(m_facilityCodes);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewBlockDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    WidenToTitle(this);
}

void CNewBlockDlg::accept()
{
    WaitCursor wait;
    const std::optional<double> start = ReadCredentialNumber(m_start->text());
    if (!start) {
        m_start->setFocus();
        return;
    }
    const std::optional<double> end = ReadCredentialNumber(m_end->text());
    if (!end) {
        m_end->setFocus();
        return;
    }
    if (CredentialBlocks::CreateBlock(m_kind, {m_name->text(), *start, *end, m_facilityCodes->Ticked()}))
        QDialog::accept();
}
