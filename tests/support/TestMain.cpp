#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/ShellOpen.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test process runs headless, in its own program folder, desktop data
// folder and profile, and
// fails any message box that no test scripted and any file it would open with
// the desktop.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("WARDIX_HOME", QDir(home.path()).filePath(QStringLiteral("home")).toLocal8Bit());
    // A start installs the desktop entry and file types there, never in the user's own.
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("share")).toLocal8Bit());
    Profile::SetLocation(QDir(home.path()).filePath(QStringLiteral("profile.ini")));
    QApplication app(argc, argv);
    SetMessageBoxPresenter([](const MessageBoxRequest& r) {
        ADD_FAILURE() << "message box shown with no script: " << r.text.toStdString();
        return static_cast<int>(IDCANCEL);
    });
    SetShellOpener([](const QUrl& url) {
        ADD_FAILURE() << "opened with the desktop with no test opener: " << url.toString().toStdString();
        return false;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
