#include "cardholders/CIndividualDlg.h"

#include "app/TitleWidth.h"
#include "cardholders/CIndividualCardDlg.h"
#include "cardholders/CIndividualXmtrDlg.h"
#include "cardholders/CredentialIndividuals.h"
#include "cardholders/CredentialNumberField.h"
#include "cardholders/CredentialViewTexts.h"
#include "cardholders/FacilityCodeCheckList.h"
#include "common/Formatting.h"
#include "database/WaitCursor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CIndividualDlg::CIndividualDlg(CredentialKind kind, CWFDoc* doc, QWidget* parent) : QDialog(parent), m_kind(kind)
{
    const CredentialViewTexts& texts = ViewTextsOf(kind);
    setWindowTitle(texts.individualDialogCaption);
    m_number = new QLineEdit(FormatWholeNumber(m_dNumber), this);
    m_facilityCodes = new FacilityCodeCheckList(this);
    m_facilityCodes->Fill(kind, doc);
    auto* form = new QFormLayout;
    form->addRow(texts.individualNumberLabel, m_number);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Facility Codes:"), this));
    layout->addWidget(m_facilityCodes);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIndividualDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    WidenToTitle(this);
}

std::unique_ptr<CIndividualDlg> CIndividualDlg::Make(CredentialKind kind, CWFDoc* doc, QWidget* parent)
{
    if (kind == CredentialKind::Card)
        return std::make_unique<CIndividualCardDlg>(doc, parent);
    return std::make_unique<CIndividualXmtrDlg>(doc, parent);
}

void CIndividualDlg::accept()
{
    WaitCursor wait;
    const std::optional<double> number = ReadCredentialNumber(m_number->text());
    if (!number) {
        m_number->setFocus();
        return;
    }
    if (!CredentialIndividuals::AddIndividual(m_kind, *number, m_facilityCodes->Ticked())) {
        m_number->setFocus();
        return;
    }
    m_dNumber = *number;
    QDialog::accept();
}
