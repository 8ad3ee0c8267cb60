#include "config/CSingleVLSettingForm.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/CSingleVLFloorsForm.h"
#include "config/CTabNodeGeneral.h"
#include "config/CTabNodeModem.h"
#include "config/CTabNodeNames.h"
#include "config/CTabNodeObstacleXmtrs.h"
#include "config/CTabNodePasswords.h"
#include "config/CTabNodeRemoteDevice.h"
#include "config/CTabNodeRelays.h"
#include "config/NodePasswordValues.h"
#include "config/TabbedSheet.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QCloseEvent>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>

CSingleVLSettingForm::CSingleVLSettingForm(QWidget* parent) : CPaneView(parent), m_doc(GetInstallationDoc())
{
    setObjectName(QStringLiteral("CSingleVLSettingForm"));
    const TabbedSheet sheet = BuildTabbedSheet(this);
    m_tabs = sheet.tabs;
    m_apply = sheet.apply;
    m_cancel = sheet.cancel;
    connect(m_apply, &QPushButton::clicked, this, &CSingleVLSettingForm::OnApply);
    connect(m_cancel, &QPushButton::clicked, this, &CSingleVLSettingForm::OnCancel);
}

CSingleVLSettingForm::~CSingleVLSettingForm() = default;

qintptr CSingleVLSettingForm::OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam)
{
    if (msg == Msg::LoadController)
        return Load(static_cast<std::int32_t>(wParam)) ? 1 : 0;
    return CPaneView::OnAppMessage(msg, wParam, lParam);
}

bool CSingleVLSettingForm::Load(std::int32_t vestrelId)
{
    m_vestrelId = vestrelId;
    if (!m_doc || !m_doc->LoadControllerSettings(vestrelId)) {
        ShowMessageBox(QStringLiteral("Error loading Vestrel."));
        return false;
    }
    BuildPages();
    return true;
}

void CSingleVLSettingForm::BuildPages()
{
    CWFDoc& doc = *m_doc;
    m_names = new CTabNodeNames(doc);
    auto* relays = new CTabNodeRelays(doc, m_bars);
    m_modem = new CTabNodeModem(doc.m_controllerMemory);
    auto* passwords = new CTabNodePasswords(doc);
    auto* devices = new CTabNodeRemoteDevice(doc);
    auto* obstacles = new CTabNodeObstacleXmtrs(doc.m_controllerMemory);
    m_elevator = new CSingleVLFloorsForm(doc);
    auto* general = new CTabNodeGeneral(doc);

    const std::pair<QWidget*, const char*> tabs[kPages] = {
        {m_names, "Names"},         {relays, "Relays"},
        {m_modem, "Modem"},         {passwords, "Passwords"},
        {devices, "Remote Device"}, {obstacles, "Obstacle Transmitters"},
        {m_elevator, "Elevator Control"}, {general, "General"}};
    for (const auto& [page, title] : tabs)
        m_tabs->addTab(page, QString::fromLatin1(title));
    // The General page only shows.
    m_storeOrder = {m_names, relays, m_modem, passwords, devices, obstacles, m_elevator};
    m_tabs->setCurrentIndex(0);
    m_shownTab = 0;
    connect(m_tabs, &QTabWidget::currentChanged, this, &CSingleVLSettingForm::OnTabChanged);
}

void CSingleVLSettingForm::OnTabChanged(int index)
{
    const int elevator = m_tabs->indexOf(m_elevator);
    if (m_shownTab == elevator)
        m_elevator->PageHidden();
    m_shownTab = index;
    if (index == elevator)
        m_elevator->RefreshCabs();
}

bool CSingleVLSettingForm::StorePages()
{
    for (const INetworkSettingsPage* page : m_storeOrder) {
        if (!page->CheckPanelTexts())
            return false;
    }
    // A page writes rows as it stores (the network and controller names): a
    // failed write is shown and stops the save, not the program.
    try {
        for (INetworkSettingsPage* page : m_storeOrder)
            page->Store();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    return true;
}

void CSingleVLSettingForm::SaveNodeRecord()
{
    CVLControllerMemory& image = m_doc->m_controllerMemory;
    const NodeNamesValues names = m_names->Values();
    names.WriteImage(image);
    m_modem->WriteImage(image);
    try {
        if (!g_setVestrels.IsOpen() || !g_setVestrels.FindByID(m_vestrelId))
            return;
        g_setVestrels.Edit();
        g_setVestrels.m_VestrelName = names.controller;
        g_setVestrels.m_RelayAName = names.channels[0];
        g_setVestrels.m_RelayBName = names.channels[1];
        g_setVestrels.m_RelayCName = names.channels[2];
        g_setVestrels.m_RelayDName = names.channels[3];
        g_setVestrels.m_EmergA = names.priorityAccess[0];
        g_setVestrels.m_EmergB = names.priorityAccess[1];
        g_setVestrels.m_EmergC = names.priorityAccess[2];
        g_setVestrels.m_EmergD = names.priorityAccess[3];
        g_setVestrels.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CSingleVLSettingForm::SaveImage(bool ask)
{
    CVLControllerMemory& image = m_doc->m_controllerMemory;
    if (image.ExchangeSettingsChanged(ask ? 1 : 0) == 0)
        return;
    // The image is written beside its file and renamed over it, so a file
    // that may not be written is refused first.
    QFile file(image.Path());
    const bool writable = file.open(QIODevice::ReadWrite);
    file.close();
    if (!writable || !image.SaveFile()) {
        ShowMessageBox(QStringLiteral("File Error"), MbButtons::Ok, MbIcon::Exclamation);
        return;
    }
    MarkDataToProgram();
    std::uint8_t net = 0;
    std::uint8_t node = 0;
    m_doc->ControllerNetAddress(net);
    m_doc->ControllerNodeAddress(node);
    ShareSavedPasswords(image, net, node);
}

void CSingleVLSettingForm::OnApply()
{
    if (!m_doc || !m_names)
        return;
    m_applied = true;
    ClearPendingNodeRequest();
    if (!StorePages())
        return;
    SaveNodeRecord();
    SaveImage(false);
}

void CSingleVLSettingForm::OnCancel()
{
    m_applied = false;
    if (m_elevator)
        m_elevator->OnCancel();
    if (CWFApp* app = GetApp(); app && app->MainFrame())
        app->MainFrame()->OnConfigureNetwork();
}

void CSingleVLSettingForm::closeEvent(QCloseEvent* event)
{
    if (m_applied && m_doc && m_names) {
        if (StorePages()) {
            SaveNodeRecord();
            SaveImage(true);
        }
        // Stored once: a second close asks nothing.
        m_applied = false;
    }
    CPaneView::closeEvent(event);
}
