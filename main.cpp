#include "app/CWFApp.h"
#include "app/ShellHooks.h"
#include "database/CInstallationsDlg.h"
#include "database/CLoginDlg.h"
#include "database/COpenInstallationDlg.h"
#include "database/CStartupDlg.h"

#include <QApplication>

namespace {

// The start-up and file dialogs of the installations and operators.
void InstallDialogHooks(CWFApp& app)
{
    ShellHooks& hooks = Hooks();
    hooks.startupDialog = [&app] {
        CStartupDlg dialog;
        dialog.exec();
        app.Settings().m_hideStartupDialog = dialog.DontShowAgain();
    };
    hooks.login = [&app]() -> std::optional<bool> {
        CLoginDlg dialog(app.GetOperators());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.IsAdministrator() != 0;
    };
    hooks.openInstallationDialog = [] {
        COpenInstallationDlg dialog;
        // A new installation is made by File New once the program runs.
        if (dialog.exec() != QDialog::Accepted || dialog.Request().open != 1)
            return QString();
        return dialog.Request().path;
    };
    hooks.installationsDialog = [] {
        CInstallationsDlg dialog(0);
        return dialog.exec() == QDialog::Accepted ? dialog.GetPath() : QString();
    };
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CWFApp app;
    InstallDialogHooks(app);
    return app.Run(qtApp.arguments().mid(1));
}
