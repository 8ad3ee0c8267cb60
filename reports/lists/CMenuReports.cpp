#include "reports/lists/CMenuReports.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/ViewCommands.h"
#include "database/WaitCursor.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/IPrintView.h"
#include "reports/lists/ReportColumns.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kListViewClass = "CRPListView";
const char* const kListingViewClass = "CRPReportEditView";

CMainFrame* MainFrame()
{
    CWFApp* app = GetApp();
    return app ? app->MainFrame() : nullptr;
}

QGroupBox* AddGroup(QVBoxLayout* layout, const QString& title, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    layout->addWidget(group);
    return group;
}

} // namespace

CMenuReports::CMenuReports(QWidget* parent) : CPaneView(parent)
{
    auto* layout = new QVBoxLayout(this);

    auto* transmitters = new QHBoxLayout(AddGroup(layout, tr("Transmitters"), this));
    transmitters->addWidget(AddReportButton(tr("&Blocks"), kReportKindBlockTransmitters));
    transmitters->addWidget(AddReportButton(tr("&All"), kReportKindAllTransmitters));

    auto* cards = new QHBoxLayout(AddGroup(layout, tr("Cards"), this));
    cards->addWidget(AddReportButton(tr("Bl&ocks"), kReportKindBlockCards));
    cards->addWidget(AddReportButton(tr("A&ll"), kReportKindAllCards));

    auto* cardholders = new QVBoxLayout(AddGroup(layout, tr("Cardholders"), this));
    cardholders->addWidget(AddButton(tr("&Cardholders"), &CMenuReports::OnCardholders), 0, Qt::AlignLeft);
    m_includeCredentials = new QCheckBox(tr("&Include Credentials"), this);
    cardholders->addWidget(m_includeCredentials);

    layout->addWidget(AddReportButton(tr("&Entry Codes"), kReportKindEntryCodes));
    layout->addWidget(AddReportButton(tr("&Directory Codes"), kReportKindDirectoryCodes));
    layout->addWidget(AddButton(tr("&System Report"), &CMenuReports::OnSystemReport));
    layout->addWidget(AddButton(tr("Display &Messages"), &CMenuReports::OnDisplayMessages));
    QPushButton* print = AddButton(tr("Print"), &CMenuReports::OnPrint);
    print->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    layout->addWidget(print, 0, Qt::AlignHCenter);
    layout->addStretch();
}

QPushButton* CMenuReports::AddButton(const QString& caption, void (CMenuReports::*handler)())
{
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

QPushButton* CMenuReports::AddReportButton(const QString& caption, int kind)
{
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, [this, kind] { OnReportButton(kind); });
    return button;
}

void CMenuReports::ShowRightPane(std::int8_t mode)
{
    if (m_nRightPaneMode == mode)
        return;
    CMainFrame* frame = MainFrame();
    if (!frame || (mode != kPaneList && mode != kPaneListing))
        return;
    frame->ReplaceRightView(PaneKind::Reports,
                            QString::fromLatin1(mode == kPaneList ? kListViewClass : kListingViewClass));
    m_nRightPaneMode = mode;
}

void CMenuReports::OnReportButton(int kind)
{
    const WaitCursor wait;
    ShowRightPane(kPaneList);
    if (CWFDoc* doc = GetInstallationDoc())
        doc->SetReportKind(static_cast<std::int8_t>(kind));
}

void CMenuReports::OnCardholders()
{
    m_bIncludeCredentials = m_includeCredentials->isChecked() ? 1 : 0;
    OnReportButton(m_bIncludeCredentials != 0 ? kReportKindCardholdersWithCredentials
                                              : kReportKindCardholdersWithoutCredentials);
}

void CMenuReports::OnSystemReport()
{
    const WaitCursor wait;
    ShowRightPane(kPaneListing);
    if (CWFDoc* doc = GetInstallationDoc())
        doc->BuildSettingsListing();
}

void CMenuReports::OnDisplayMessages()
{
    const WaitCursor wait;
    ShowRightPane(kPaneListing);
    if (CWFDoc* doc = GetInstallationDoc())
        doc->RefreshSettingsListing();
}

void CMenuReports::OnPrint()
{
    CMainFrame* frame = MainFrame();
    QWidget* right = frame ? frame->RightView() : nullptr;
    if (m_nRightPaneMode == kPaneList) {
        if (auto* list = dynamic_cast<CRPListView*>(right))
            list->PrintReport();
    } else if (m_nRightPaneMode == kPaneListing) {
        if (auto* listing = dynamic_cast<IPrintView*>(right))
            listing->OnFilePrint();
    }
}
