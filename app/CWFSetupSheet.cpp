#include "app/CWFSetupSheet.h"

#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "app/CTabWFDatabase.h"
#include "app/CTabWFModemProberties.h"
#include "app/CTabWFOperators.h"
#include "app/CTabWfAcountHolderFields.h"
#include "app/CTabWfAdvance.h"
#include "app/CTabWfPrint.h"
#include "common/SharedHelpers.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kCourierFont = QStringLiteral("Courier New");
const QString kTimesFont = QStringLiteral("Times New Roman");

void AddPage(QTabWidget* pages, QWidget* page)
{
    pages->addTab(page, page->windowTitle());
}
} // namespace

CWFSetupSheet::CWFSetupSheet(CWFDoc& doc, CColumnWidths& settings, int loggedInSlot, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Wardix Setup"));
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);
    const bool administrator = OperatorHasPrivilege(kPrivilegeAdministrator);
    if (administrator) {
        m_operators = new CTabWFOperators(loggedInSlot, m_pages);
        AddPage(m_pages, m_operators);
    }
    m_dialing = new CTabWFModemProberties(m_pages);
    AddPage(m_pages, m_dialing);
    AddPage(m_pages, new CTabWFDatabase(doc, m_pages));
    m_labels = new CTabWfAcountHolderFields(m_pages);
    AddPage(m_pages, m_labels);
    m_print = new CTabWfPrint(m_pages);
    AddPage(m_pages, m_print);
    if (administrator)
        AddPage(m_pages, new CTabWfAdvance(doc, m_pages));

    m_dialing->m_nLineDevice = settings.m_selectedModem;
    m_labels->m_strLabels = doc.m_userTypeLabels;
    m_print->m_nCourierFont = settings.m_printerFont == kCourierFont ? 1 : 0;
    // Pages never opened give back what they were given.
    m_labels->UpdateData(false);
    m_print->UpdateData(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CWFSetupSheet::Apply()
{
    if (m_operators)
        m_operators->OnOK();
    m_dialing->UpdateData(true);
    m_labels->UpdateData(true);
    m_print->UpdateData(true);
    m_settings.m_selectedModem = m_dialing->m_nLineDevice;
    m_settings.m_printerFont = m_print->m_nCourierFont != 0 ? kCourierFont : kTimesFont;
    m_doc.ApplyUserTypeLabels(m_labels->m_strLabels);
}
