#include "config/CNetworkSettingDlg.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "common/CommandIds.h"
#include "common/SharedHelpers.h"
#include "config/CRPFloorGrid.h"
#include "config/CTabAntiPassDlg.h"
#include "config/CTabButtonSchedule.h"
#include "config/CTabDoorSchedules.h"
#include "config/CTabFacilityCodes.h"
#include "config/CTabFloorNames.h"
#include "config/CTabTelephoneDirectory.h"
#include "config/CTabTimeCalendar.h"
#include "config/CTabTimeZones.h"
#include "config/CTabValGroups.h"
#include "config/TabbedSheet.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kFirstZonesPageFirst = 1;
constexpr int kFirstZonesPageLast = 15;
constexpr int kSecondZonesPageFirst = 16;
constexpr int kSecondZonesPageLast = 31;

} // namespace

CNetworkSettingDlg::CNetworkSettingDlg(QWidget* parent) : CPaneView(parent), m_doc(GetInstallationDoc())
{
    setObjectName(QStringLiteral("CNetworkSettingDlg"));
    const TabbedSheet sheet = BuildTabbedSheet(this);
    m_tabs = sheet.tabs;
    m_apply = sheet.apply;
    m_cancel = sheet.cancel;
    connect(m_apply, &QPushButton::clicked, this, &CNetworkSettingDlg::OnApply);
    connect(m_cancel, &QPushButton::clicked, this, &CNetworkSettingDlg::OnCancel);
    if (m_doc)
        BuildPages();
}

CNetworkSettingDlg::~CNetworkSettingDlg() = default;

void CNetworkSettingDlg::BuildPages()
{
    CWFDoc& doc = *m_doc;
    auto* doorGroups = new CTabValGroups(doc, kDoorValGroupKind, m_bars);
    auto* floorGroups = new CTabValGroups(doc, kFloorValGroupKind, m_bars);
    auto* zones1 = new CTabTimeZones(doc, "CTabTimeZones1", kFirstZonesPageFirst, kFirstZonesPageLast, m_bars);
    auto* zones16 = new CTabTimeZones(doc, "CTabTimeZones16", kSecondZonesPageFirst, kSecondZonesPageLast, m_bars);
    auto* doorSchedules = new CTabDoorSchedules;
    auto* buttonSchedule = new CTabButtonSchedule(doc);
    auto* facilityCodes = new CTabFacilityCodes(doc);
    auto* telephone = new CTabTelephoneDirectory(doc, [this] { SetDisplayMessagesChanged(); });
    auto* calendar = new CTabTimeCalendar(doc);
    auto* antiPassback = new CTabAntiPassDlg(doc);
    auto* floorGrid = new CRPFloorGrid;
    auto* floorNames = new CTabFloorNames;
    m_doorSchedules = doorSchedules;
    // A grid taken before a floor changed would give its ticks to a floor
    // that took a freed Index.
    connect(floorNames, &CTabFloorNames::FloorsChanged, floorGrid, &CRPFloorGrid::Fill);

    // Tab order is also the order Apply stores in; the floor names page keeps
    // its table itself and is not stored.
    const std::pair<QWidget*, const char*> tabs[kPages] = {
        {doorGroups, "Door Validation Groups"}, {floorGroups, "Floor Validation Groups"},
        {zones1, "Time Zones 1-15"},           {zones16, "Time Zones 16-31"},
        {doorSchedules, "Door Schedules"},     {buttonSchedule, "Button Schedule"},
        {facilityCodes, "Facility Codes"},     {telephone, "Telephone Directory"},
        {calendar, "Time && Calendar"},        {antiPassback, "Anti-PassBack"},
        {floorGrid, "Floor Schedule"},         {floorNames, "Floor Names"}};
    for (const auto& [page, title] : tabs)
        m_tabs->addTab(page, QString::fromLatin1(title));
    m_storeOrder = {doorGroups, floorGroups,    zones1,   zones16,      doorSchedules, buttonSchedule,
                    facilityCodes, telephone, calendar, antiPassback, floorGrid};
    m_tabs->setCurrentIndex(0);
}

void CNetworkSettingDlg::SaveAllPages()
{
    for (INetworkSettingsPage* page : m_storeOrder)
        page->Store();
}

bool CNetworkSettingDlg::OnApply()
{
    if (!m_doc)
        return false;
    m_applied = true;
    ClearPendingNodeRequest();
    SaveAllPages();
    m_doorSchedules->Commit(IDoorSchedulesPage::CommitMode::Write);
    // Neither flag is cleared while the editor lives: every later Apply marks again.
    if (m_doorSchedules->Changed() || m_displayMessagesChanged)
        MarkDataToProgram();
    return m_doc->ExchangeGlobalSettings(false, false);
}

void CNetworkSettingDlg::OnCancel()
{
    m_applied = false;
    if (m_doorSchedules)
        m_doorSchedules->SetNoCommitOnDestroy();
    if (CWFApp* app = GetApp(); app && app->MainFrame())
        app->MainFrame()->OnCommand(CommandId::CardholdersView);
}

void CNetworkSettingDlg::closeEvent(QCloseEvent* event)
{
    if (m_applied && m_doc) {
        const WaitCursor wait;
        SaveAllPages();
        SaveWithQuestions(QStringLiteral("The door schedule setup has changed\nSave the changes?"));
        SaveWithQuestions(QStringLiteral("The door schedule (1-31) setup has changed\nSave the changes?"));
        // Stored once: a second close asks nothing.
        m_applied = false;
    }
    CPaneView::closeEvent(event);
}

void CNetworkSettingDlg::SaveWithQuestions(const QString& doorScheduleQuestion)
{
    m_doorSchedules->Commit(IDoorSchedulesPage::CommitMode::Compare);
    m_doorSchedulesChanged = m_doorSchedules->Changed();
    m_doc->ExchangeGlobalSettings(false, true);
    if (!m_doorSchedulesChanged)
        return;
    if (ShowMessageBox(doorScheduleQuestion, MbButtons::YesNo, MbIcon::Question) == IDYES)
        MarkDataToProgram();
    else
        m_doorSchedules->SetNoCommitOnDestroy();
}
