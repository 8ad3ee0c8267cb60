#include "app/CMainFrame.h"

#include "app/AppObjects.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/CloseGuard.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/ShellIcons.h"
#include "app/StatusClock.h"
#include "app/TaskState.h"
#include "app/ViewCommands.h"
#include "app/ViewFactory.h"
#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "common/SharedHelpers.h"
#include "platform/Clock.h"
#include "platform/LockKeys.h"
#include "platform/MessageBox.h"
#include "platform/OpenModals.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>

namespace {

using namespace CommandId;

const QString kSettingsSection = QStringLiteral("Settings");
const QString kWindowPosKey = QStringLiteral("WindowPos");
constexpr int kPrivilegeConfigure = 4;
constexpr int kDefaultUpperHeight = 360;
// The first window size, before the profile holds a placement.
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;
constexpr int kToolButtonMinWidth = 50;
constexpr int kToolButtonMaxWidth = 150;
constexpr int kToolIconSize = 32;
constexpr int kRecentFileSlots = 4;
// Room either side of a lock indicator's label.
constexpr int kLockPanePadding = 8;
const char* const kDataToProgramTip = "Wardix has data to program to the network";
// The lock indicators' labels, in the order the status bar shows them.
const char* const kLockLabels[] = {"CAP", "NUM", "SCRL"};

// A command's prompt: the status-bar text while its button or menu item is
// under the pointer, a line break, then its tooltip.
struct CommandPrompt
{
    unsigned command;
    const char* prompt;
};

const CommandPrompt kPrompts[] = {
    {NavigationView, "\nNavigation"},
    {CardholdersView, "\nCardholders"},
    {MonitorView, "\nMonitor and Control"},
    {ReportsMenu, "\nReports"},
    {SetupMenu, "\nSetup"},
    {BackupRestoreMenu, "\nBackup and Restore"},
    {SetInstallationTime, "\nSet Installation Time"},
    {ClearLastViolated, "\nClear Last Violated"},
    {UnhandledToolbarButton, "\nReset"},
    {PriorityAccess, "Trigger all priority access relays in this installation\nPriority Access"},
};

void SetPrompt(QAction* action, const QString& prompt)
{
    const qsizetype lineBreak = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(prompt.left(lineBreak));
    action->setToolTip(prompt.mid(lineBreak + 1));
}

// Commands that wait for the network queue to be idle.
bool NeedsIdleQueue(unsigned command)
{
    return command == BackupRestoreMenu || command == SetInstallationTime || command == FileNew || command == FileOpen;
}

// A view may be replaced from inside one of its own handlers, so it goes once
// that handler has returned.
void Discard(QWidget* view)
{
    if (!view)
        return;
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

ICommControlForm* CommForm()
{
    return GetCommControlForm();
}

bool Connected()
{
    const ICommControlForm* form = CommForm();
    return form && form->IsConnected();
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Wardix"));
    setWindowIcon(CommandIcon(NavigationView));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    m_created = CreatePanes();
    m_heldSwitchTimer.setSingleShot(true);
    m_heldSwitchTimer.setInterval(kHeldSwitchRetryMs);
    connect(&m_heldSwitchTimer, &QTimer::timeout, this, &CMainFrame::OnHeldSwitchTimer);
    CheckToolbarButton(NavigationView);
    resize(kDefaultWidth, kDefaultHeight);
    SetMainWindow(this);
    SetMessageBoxOwner(this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    if (GetMainWindow() == this)
        SetMainWindow(nullptr);
    if (MessageBoxOwner() == this)
        SetMessageBoxOwner(nullptr);
}

QAction* CMainFrame::AddAction(unsigned command, const QString& text, const QKeySequence& key)
{
    auto* action = new QAction(CommandIcon(command), text, this);
    if (!key.isEmpty())
        action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    m_actions.insert(command, action);
    return action;
}

void CMainFrame::CreateActions()
{
    AddAction(FileNew, tr("&New"), QKeySequence::New);
    AddAction(FileOpen, tr("&Open..."), QKeySequence::Open);
    AddAction(FileSaveAs, tr("Save &As..."));
    AddAction(FilePrintSetup, tr("&Printer"));
    AddAction(AppExit, tr("E&xit"));
    AddAction(NavigationView, tr("&Navigation"));
    AddAction(NetworkView, tr("&Network"), Qt::Key_F2);
    AddAction(MonitorView, tr("&Monitor and Control"), Qt::Key_F3);
    AddAction(CredentialsView, tr("&Credentials"), Qt::Key_F4);
    AddAction(CardholdersView, tr("C&ardholders"), Qt::Key_F5);
    AddAction(EventLogReport, tr("&Event Log Report"), Qt::Key_F6);
    AddAction(PrintReports, tr("&Various Reports"));
    AddAction(GlobalSettings, tr("&Global  network settings"), Qt::Key_F7);
    AddAction(TimeAndCalendar, tr("&Time and Calendar"));
    AddAction(OnOffLine, tr("On-line / Off-line"), Qt::Key_F8);
    AddAction(TestModeToggle, tr("&Test Mode"), Qt::Key_F9);
    AddAction(BackupWarningToggle, tr("Backup &Warning"), Qt::Key_F10);
    AddAction(SetupSheet, tr("&Wardenfold"));
    AddAction(Backup, tr("&Backup..."));
    AddAction(Restore, tr("&Restore..."));
    AddAction(ReportsMenu, tr("Reports"));
    AddAction(SetupMenu, tr("Setup"));
    AddAction(BackupRestoreMenu, tr("Backup and Restore"));
    AddAction(SetInstallationTime, tr("Set Installation &Time"));
    AddAction(ClearLastViolated, tr("Clear &Last Violated"));
    AddAction(UnhandledToolbarButton, QString());
    AddAction(PriorityAccess, tr("&Priority Access"));
    AddAction(AppAbout, tr("&About Wardenfold..."));
    for (int i = 0; i < kRecentFileSlots; ++i) {
        const unsigned id = FileMruFirst + static_cast<unsigned>(i);
        m_recentActions << AddAction(id, QString());
    }
    for (unsigned id : {NavigationView, NetworkView, MonitorView, CredentialsView, CardholdersView, EventLogReport,
                        PrintReports, GlobalSettings, TimeAndCalendar})
        m_actions[id]->setCheckable(true);
    for (const CommandPrompt& p : kPrompts)
        SetPrompt(m_actions[p.command], QString::fromLatin1(p.prompt));
}

void CMainFrame::CreateMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->addAction(m_actions[FileNew]);
    m_fileMenu->addAction(m_actions[FileOpen]);
    m_fileMenu->addAction(m_actions[FileSaveAs]);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actions[FilePrintSetup]);
    m_fileMenu->addSeparator();
    m_fileMenu->addActions(m_recentActions);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actions[AppExit]);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentFiles);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (unsigned id : {NavigationView, CardholdersView, CredentialsView, NetworkView, MonitorView, EventLogReport,
                        PrintReports})
        view->addAction(m_actions[id]);

    QMenu* setup = menuBar()->addMenu(tr("&Setup"));
    for (unsigned id : {GlobalSettings, CredentialsView, NetworkView, SetupSheet, FilePrintSetup})
        setup->addAction(m_actions[id]);
    m_popups.insert(SetupMenu, setup);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (unsigned id : {SetInstallationTime, ClearLastViolated, PriorityAccess, TestModeToggle, BackupWarningToggle})
        tools->addAction(m_actions[id]);
    tools->addSeparator();
    tools->addAction(m_actions[Backup]);
    tools->addAction(m_actions[Restore]);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(m_actions[AppAbout]);

    auto* reports = new QMenu(this);
    reports->addAction(m_actions[EventLogReport]);
    reports->addAction(m_actions[PrintReports]);
    m_popups.insert(ReportsMenu, reports);
    auto* backup = new QMenu(this);
    backup->addAction(m_actions[Backup]);
    backup->addAction(m_actions[Restore]);
    m_popups.insert(BackupRestoreMenu, backup);
    for (QMenu* menu : {view, setup, tools, reports, backup})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(kToolIconSize, kToolIconSize));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const unsigned kButtons[] = {NavigationView, CardholdersView, MonitorView, 0, ReportsMenu, 0, SetupMenu, 0,
                                 BackupRestoreMenu, 0, SetInstallationTime, 0, ClearLastViolated,
                                 UnhandledToolbarButton, PriorityAccess};
    const QHash<unsigned, QString> labels = {
        {NavigationView, tr("Navigation")}, {CardholdersView, tr("Cardholders")}, {MonitorView, tr("Monitor")},
        {ReportsMenu, tr("Reports")},       {SetupMenu, tr("Setup")},             {BackupRestoreMenu, tr("Backup")},
        {SetInstallationTime, tr("Set Time")}, {ClearLastViolated, tr("Clear Violated")},
        {UnhandledToolbarButton, tr("Reset")}, {PriorityAccess, tr("Priority Access")}};
    for (unsigned id : kButtons) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        // A button takes its action's icon text again at every change of the
        // action, so a label set on the button alone gave way to the menu text
        // when F3 checked it, and the buttons after it moved.
        m_actions[id]->setIconText(labels.value(id));
        auto* button = new QToolButton(m_toolBar);
        button->setDefaultAction(m_actions[id]);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kToolIconSize, kToolIconSize));
        button->setAutoRaise(true);
        button->setMinimumWidth(kToolButtonMinWidth);
        button->setMaximumWidth(kToolButtonMaxWidth);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(id));
        if (QMenu* popup = m_popups.value(id)) {
            // The arrow and the button both drop the menu down.
            button->setPopupMode(QToolButton::MenuButtonPopup);
            button->setMenu(popup);
        }
        m_toolBar->addWidget(button);
    }
}

void CMainFrame::CreateStatusBar()
{
    for (const char* label : kLockLabels) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QString::fromLatin1(label));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(QString::fromLatin1(label)) + pane->margin() * 2 +
                            kLockPanePadding);
        statusBar()->addPermanentWidget(pane);
        m_lockPanes << pane;
    }
    UpdateLockIndicators();
    // The keys reach whichever widget has the focus.
    qApp->installEventFilter(this);
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("Clock"));
    statusBar()->addPermanentWidget(m_clock);
    statusBar()->showMessage(tr("Ready"));
    m_clockTimer.setInterval(kClockIntervalMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CMainFrame::UpdateClock);
    m_clockTimer.start();
    UpdateClock();
}

bool CMainFrame::CreatePanes()
{
    m_outer = new QSplitter(Qt::Horizontal, this);
    m_inner = new QSplitter(Qt::Vertical, m_outer);
    QWidget* upper = CreateView(QStringLiteral("CRPBlankPane"), m_inner);
    QWidget* comm = upper ? CreateView(QStringLiteral("CCommControlForm"), m_inner) : nullptr;
    QWidget* right = comm ? CreateView(QStringLiteral("CRPNavigationHelp"), m_outer) : nullptr;
    if (!right)
        return false;
    m_inner->addWidget(upper);
    m_inner->addWidget(comm);
    m_outer->addWidget(m_inner);
    m_outer->addWidget(right);
    m_outer->setStretchFactor(1, 1);
    m_outer->setCollapsible(0, true);
    m_inner->setStretchFactor(1, 1);
    m_outer->setMinimumWidth(0);
    setCentralWidget(m_outer);
    return true;
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_panesSized)
        return;
    m_panesSized = true;
    // Splitter sizes only hold once the shown window has laid out its panes.
    QTimer::singleShot(0, this, [this] {
        int upper = kDefaultUpperHeight;
        if (const CWFApp* app = GetApp())
            upper = app->Settings().m_splitterPanePos;
        m_inner->setSizes({upper, qMax(1, m_inner->height() - upper)});
        m_outer->setSizes({kLeftColumnWidth, qMax(1, m_outer->width() - kLeftColumnWidth)});
    });
}

QWidget* CMainFrame::UpperLeftView() const
{
    return m_inner->widget(0);
}

QWidget* CMainFrame::CommView() const
{
    return m_inner->widget(1);
}

QWidget* CMainFrame::RightView() const
{
    return m_outer->widget(1);
}

bool CMainFrame::HasHandler(unsigned command) const
{
    if (FindViewCommand(command))
        return true;
    switch (command) {
    case ReportsMenu:
    case SetupMenu:
    case BackupRestoreMenu:
    case SetInstallationTime:
    case TestModeToggle:
    case BackupWarningToggle:
    case OnOffLine:
    case AppExit:
        return true;
    default:
        break;
    }
    const CWFApp* app = GetApp();
    return (app && app->HandlesCommand(command)) || Hooks().commands.count(command) != 0;
}

bool CMainFrame::IsCommandEnabled(unsigned command) const
{
    if (!HasHandler(command))
        return false;
    const int privilege = CommandPrivilege(command);
    if (privilege != kNoPrivilegeNeeded && !OperatorHasPrivilege(privilege))
        return false;
    // File New needs both the right and an idle queue.
    return !(NeedsIdleQueue(command) && IsNetworkQueueBusy());
}

void CMainFrame::UpdateCommandUI()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(IsCommandEnabled(it.key()));
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators()
{
    const std::optional<LockKeyStates> states = QueryLockKeys();
    const bool on[] = {states && states->capsLock, states && states->numLock, states && states->scrollLock};
    for (int i = 0; i < m_lockPanes.size(); ++i)
        m_lockPanes[i]->setText(on[i] ? QString::fromLatin1(kLockLabels[i]) : QString());
}

bool CMainFrame::OnCommand(unsigned command)
{
    // Whatever its source (menu, toolbar, key, navigation help, a sent message),
    // a command runs only where its button would be enabled.
    if (!IsCommandEnabled(command))
        return false;
    if (const ViewCommand* view = FindViewCommand(command)) {
        SwitchView(*view);
    } else if (m_popups.contains(command)) {
        PopupBelowButton(command);
    } else if (command == SetInstallationTime) {
        OnSetInstallationTime();
    } else if (command == TestModeToggle) {
        OnTestMode();
    } else if (command == BackupWarningToggle) {
        OnBackupWarning();
    } else if (command == OnOffLine) {
        SendAppMessage(dynamic_cast<QObject*>(CommForm()), Msg::WM_COMMAND, OnOffLine);
    } else if (command == AppExit) {
        close();
    } else if (CWFApp* app = GetApp(); app && app->HandlesCommand(command)) {
        app->OnCommand(command);
    } else {
        Hooks().commands.at(command)();
    }
    UpdateCommandUI();
    return true;
}

void CMainFrame::OnConfigureNetwork()
{
    SwitchView(*FindViewCommand(NetworkView));
    UpdateCommandUI();
}

void CMainFrame::SwitchView(const ViewCommand& view)
{
    if (HoldWhileBusy([this, view] { SwitchView(view); }))
        return;
    if (view.needsConfigurePrivilege && !OperatorHasPrivilege(kPrivilegeConfigure))
        ShowMessageBox(tr("User does not have privileges to configure the network."));
    ReplaceLeftView(QString::fromLatin1(view.leftClass));
    ReplaceRightView(view.rightKind, QString::fromLatin1(view.rightClass));
    CheckToolbarButton(view.command);
    SetCaption(view.captionKind);
}

void CMainFrame::RecreateMonitorViews()
{
    const ViewCommand* monitor = FindViewCommand(CommandId::MonitorView);
    const QWidget* left = UpperLeftView();
    if (monitor && left && left->objectName() == QLatin1String(monitor->leftClass))
        SwitchView(*monitor);
}

void CMainFrame::ShowNetworkStatusPanes()
{
    if (HoldWhileBusy([this] { ShowNetworkStatusPanes(); }))
        return;
    const QString blank = QStringLiteral("CRPBlankPane");
    const QString status = QStringLiteral("CRPNetworkStatusForm");
    // The operator's place in a status pane shown already stays.
    const QWidget* left = UpperLeftView();
    const QWidget* right = RightView();
    if (left && right && left->objectName() == blank && right->objectName() == status)
        return;
    ReplaceLeftView(blank);
    ReplaceRightView(PaneKind::NetworkSettings, status);
}

bool CMainFrame::HoldWhileBusy(std::function<void()> request)
{
    if (!HasOpenModal(UpperLeftView()) && !HasOpenModal(RightView()))
        return false;
    m_heldSwitch = std::move(request);
    m_heldSwitchTimer.start();
    return true;
}

void CMainFrame::OnHeldSwitchTimer()
{
    if (!m_heldSwitch)
        return;
    std::function<void()> request = std::exchange(m_heldSwitch, {});
    request();
}

void CMainFrame::ReplaceRightView(int kind, const QString& className, unsigned msg, quintptr wParam, qintptr lParam)
{
    if (HoldWhileBusy([=, this] { ReplaceRightView(kind, className, msg, wParam, lParam); }))
        return;
    if (!CheckViewClass(className))
        return;
    QWidget* view = ReplacePane(m_outer, 1, className);
    if (msg != 0)
        SendAppMessage(view, msg, wParam, lParam);
    SetCaption(kind);
}

void CMainFrame::ReplaceLeftView(const QString& className)
{
    if (HoldWhileBusy([this, className] { ReplaceLeftView(className); }))
        return;
    if (!CheckViewClass(className))
        return;
    QWidget* view = ReplacePane(m_inner, 0, className);
    view->setFocus();
    if (m_administrator == 0) {
        const bool show = className != QLatin1String("CMenuUsers");
        m_toolBar->setVisible(show);
        ShowCommControls(show);
    }
}

QWidget* CMainFrame::ReplacePane(QSplitter* splitter, int index, const QString& className)
{
    // A closed view is hidden, and the splitter gives a hidden pane no size
    // and keeps its successor hidden: the sizes are read before the close and
    // set again once the new view shows.
    const QList<int> sizes = splitter->sizes();
    if (QWidget* comm = CommView())
        comm->setFocus();
    QWidget* old = splitter->widget(index);
    SendAppMessage(old, Msg::WM_CLOSE);
    QWidget* view = CreateView(className, nullptr);
    splitter->replaceWidget(index, view);
    view->show();
    splitter->setSizes(sizes);
    Discard(old);
    return view;
}

void CMainFrame::ShowCommControls(bool show)
{
    QMetaObject::invokeMethod(CommView(), "ShowControls", Q_ARG(int, show ? 0 : 1));
}

void CMainFrame::SetCaption(int kind)
{
    m_captionKind = kind;
    const CWFDoc* doc = GetInstallationDoc();
    const QString name = doc ? doc->m_strInstallationName : QString();
    setWindowTitle(QStringLiteral("%1 - %2 - Wardix").arg(name, PaneCaption(kind)));
}

void CMainFrame::CheckToolbarButton(unsigned command)
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (IsCheckGroupCommand(it.key()))
            it.value()->setChecked(false);
    }
    if (QAction* action = m_actions.value(command))
        action->setChecked(true);
}

void CMainFrame::PopupBelowButton(unsigned command)
{
    QMenu* menu = m_popups.value(command);
    const auto* button = m_toolBar->findChild<QToolButton*>(QStringLiteral("ToolButton%1").arg(command));
    UpdateCommandUI();
    if (button && button->isVisible())
        menu->popup(button->mapToGlobal(QPoint(0, button->height() + 1)));
    else
        menu->popup(QCursor::pos());
}

void CMainFrame::OnSetInstallationTime()
{
    if (!Connected())
        ShowMessageBox(tr("Network is not connected. Please connect to the network."), MbButtons::Ok,
                       MbIcon::Information);
    if (CWFApp* app = GetApp())
        app->QueueSetTimeForAllNetworks();
}

void CMainFrame::OnTestMode()
{
    QObject* form = dynamic_cast<QObject*>(CommForm());
    if (TestMode) {
        ShowMessageBox(tr("Test Mode disabled."), MbButtons::Ok, MbIcon::Information);
        TestMode = 0;
        if (form)
            QMetaObject::invokeMethod(form, "ClearErrorText");
    } else if (!Connected()) {
        ShowMessageBox(tr("Test Mode enabled."), MbButtons::Ok, MbIcon::Information);
        TestMode = 1;
    } else {
        ShowMessageBox(tr("You must be disconnected when Test Mode is invoked.\n"), MbButtons::Ok,
                       MbIcon::Information);
    }
}

void CMainFrame::OnBackupWarning()
{
    CWFApp* app = GetApp();
    if (!app)
        return;
    if (app->GetBackupWarning() == 1) {
        ShowMessageBox(tr("Disable backup warning."), MbButtons::Ok, MbIcon::Information);
        app->SetBackupWarning(0);
    } else {
        ShowMessageBox(tr("Enable backup warning."), MbButtons::Ok, MbIcon::Information);
        app->SetBackupWarning(1);
    }
}

void CMainFrame::RebuildRecentFiles()
{
    const CWFApp* app = GetApp();
    const QStringList files = app ? app->RecentFiles() : QStringList();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size())
            action->setText(QStringLiteral("&%1 %2").arg(QString::number(i + 1), files[i]));
    }
    UpdateCommandUI();
}

void CMainFrame::ShowDataToProgramIcon()
{
    m_dataIconShown = true;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!m_trayIcon) {
        m_trayIcon = new QSystemTrayIcon(CommandIcon(ProgramNetwork), this);
        m_trayIcon->setToolTip(QString::fromLatin1(kDataToProgramTip));
    }
    m_trayIcon->show();
}

void CMainFrame::RemoveDataToProgramIcon()
{
    m_dataIconShown = false;
    if (m_trayIcon)
        m_trayIcon->hide();
}

void CMainFrame::UpdateClock()
{
    const QString text = ClockText(Clock::Current().NowLocal().time());
    m_clock->setFixedWidth(m_clock->fontMetrics().horizontalAdvance(text) + m_clock->margin() * 2);
    m_clock->setText(text);
    CWFApp* app = GetApp();
    if (app && app->IsInitialised() && CurrentTaskMode() == TaskMode::None)
        app->CheckDaylightSavingChange(false);
}

QString CMainFrame::ClockPaneText() const
{
    return m_clock->text();
}

std::optional<WindowPlacement> CMainFrame::LoadWindowPlacement() const
{
    auto placement = WindowPlacement::Parse(Profile::GetString(kSettingsSection, kWindowPosKey));
    if (placement) {
        const QScreen* screen = QApplication::primaryScreen();
        if (screen)
            placement->ClampTo(screen->availableGeometry());
    }
    return placement;
}

void CMainFrame::SaveWindowPlacement() const
{
    WindowPlacement p;
    p.normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    if (isMaximized())
        p.flags = WindowPlacement::kRestoreToMaximized;
    if (isMinimized())
        p.showCommand = WindowPlacement::kShow;
    else if (isMaximized())
        p.showCommand = WindowPlacement::kShowMaximized;
    else
        p.showCommand = WindowPlacement::kShowNormal;
    Profile::WriteString(kSettingsSection, kWindowPosKey, p.Format());
}

void CMainFrame::ActivateFrame(int showCommand)
{
    int command = showCommand;
    if (command == kShowDefault)
        command = isMinimized() ? WindowPlacement::kRestore : WindowPlacement::kShowNormal;
    if (const auto placement = LoadWindowPlacement()) {
        if (showCommand != kShowDefault && showCommand != WindowPlacement::kShowNormal)
            command = showCommand;
        else
            command = static_cast<int>(placement->showCommand);
        setGeometry(placement->normal);
    }
    switch (command) {
    case WindowPlacement::kShowMinimized:
        showMinimized();
        break;
    case WindowPlacement::kShowMaximized:
        showMaximized();
        break;
    default:
        showNormal();
        break;
    }
    raise();
    activateWindow();
}

bool CMainFrame::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QMainWindow::event(e);
    auto* m = static_cast<AppMessageEvent*>(e);
    if (m->msg == Msg::WM_CLOSE)
        close();
    else if (m->msg == Msg::WM_COMMAND)
        m->result = OnCommand(static_cast<unsigned>(m->wParam)) ? 1 : 0;
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateLockIndicators();
    } else if (e->type() == QEvent::WindowActivate && watched == this) {
        UpdateLockIndicators(); // a lock may have changed in another window
    }
    return QMainWindow::eventFilter(watched, e);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    switch (DecideClose(QueueBeingCreated, IsNetworkQueueBusy(), m_closeConfirmed)) {
    case CloseDecision::RefuseWhileProgramming:
        ShowMessageBox(QString::fromLatin1(kCloseRefusedText));
        event->ignore();
        return;
    case CloseDecision::AskToInterrupt:
        if (ShowMessageBox(QString::fromLatin1(kCloseAskText), MbButtons::YesNo, MbIcon::Question) == IDYES) {
            if (Hooks().requestStopAndClose)
                Hooks().requestStopAndClose();
            m_closeConfirmed = true;
        }
        event->ignore();
        return;
    case CloseDecision::Close:
        break;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (ICommControlForm* form = CommForm(); form && form->IsConnected())
        form->Disconnect();
    RemoveDataToProgramIcon();
    SendAppMessage(RightView(), Msg::WM_CLOSE);
    SendAppMessage(UpperLeftView(), Msg::WM_CLOSE);
    SendAppMessage(CommView(), Msg::WM_CLOSE);
    SaveWindowPlacement();
    QApplication::restoreOverrideCursor();
    event->accept();
}
