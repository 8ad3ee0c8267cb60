#pragma once

#include "app/ViewCommands.h"
#include "app/WindowPlacement.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <optional>

class QLabel;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QToolBar;
struct ViewCommand;

// The program's main window: the toolbar, the status bar with its clock, a
// left column (navigation form above, communication form below) and the right
// pane for the working view.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kClockIntervalMs = 10000;
    // How often a held view switch looks whether its pane is free again.
    static constexpr int kHeldSwitchRetryMs = 100;
    static constexpr int kLeftColumnWidth = 185;
    static constexpr int kShowDefault = -1;

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;
    // False when a pane's view could not be made: the window must not be used.
    bool IsCreated() const { return m_created; }

    // Runs a command; false when it is disabled or nothing handles it.
    bool OnCommand(unsigned command);
    // The network configuration views, for forms that return to them without
    // a command: a missing configure right is said, and the views still switch.
    void OnConfigureNetwork();
    bool IsCommandEnabled(unsigned command) const;
    void UpdateCommandUI();

    void ReplaceLeftView(const QString& className);
    void ReplaceRightView(int kind, const QString& className, unsigned msg = 0, quintptr wParam = 0,
                          qintptr lParam = 0);
    // The blank pane and the network status pane; both stay as they are when
    // they are shown already.
    void ShowNetworkStatusPanes();
    void SetCaption(int kind);
    // After the link changed networks: when the monitor's navigation form is
    // shown, both monitor views are made again for the new network.
    void RecreateMonitorViews();
    // The caption again, after another installation was opened.
    void RefreshCaption() { SetCaption(m_captionKind); }
    void CheckToolbarButton(unsigned command);
    void SetAdministrator(int administrator) { m_administrator = administrator == 1 ? 1 : 0; }

    void ShowDataToProgramIcon();
    void RemoveDataToProgramIcon();
    bool HasDataToProgramIcon() const { return m_dataIconShown; }

    std::optional<WindowPlacement> LoadWindowPlacement() const;
    void SaveWindowPlacement() const;
    // kShowDefault or one of WindowPlacement's show commands.
    void ActivateFrame(int showCommand = kShowDefault);

    void UpdateClock();
    // Each lock key's label shows while the lock is on.
    void UpdateLockIndicators();
    QString ClockPaneText() const;

    QWidget* UpperLeftView() const;
    QWidget* CommView() const;
    QWidget* RightView() const;
    QToolBar* ToolBar() const { return m_toolBar; }
    QAction* Action(unsigned command) const { return m_actions.value(command); }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* AddAction(unsigned command, const QString& text, const QKeySequence& key = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    bool CreatePanes();
    void RebuildRecentFiles();

    void SwitchView(const ViewCommand& view);
    // Closes the splitter's view at index and shows a new one of the class in
    // its place, keeping the splitter's sizes; the new view.
    QWidget* ReplacePane(QSplitter* splitter, int index, const QString& className);
    // A pane's view runs an open dialog or menu: replacing it now would delete
    // it under that dialog's event loop. The request waits until none is open
    // (the latest one: each shows the screen asked for last); true when held.
    bool HoldWhileBusy(std::function<void()> request);
    void OnHeldSwitchTimer();
    void PopupBelowButton(unsigned command);
    void OnSetInstallationTime();
    void OnTestMode();
    void OnBackupWarning();
    bool HasHandler(unsigned command) const;
    void ShowCommControls(bool show);

    QSplitter* m_outer = nullptr;
    QSplitter* m_inner = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QLabel*> m_lockPanes;
    QLabel* m_clock = nullptr;
    QTimer m_clockTimer;
    QTimer m_heldSwitchTimer;
    std::function<void()> m_heldSwitch;
    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_recentActions;
    QHash<unsigned, QAction*> m_actions;
    QHash<unsigned, QMenu*> m_popups;
    QSystemTrayIcon* m_trayIcon = nullptr;
    bool m_dataIconShown = false;
    bool m_created = false;
    bool m_closeConfirmed = false;
    bool m_panesSized = false;
    int m_administrator = 1;
    int m_captionKind = PaneKind::NavigationHelp;
};
