#pragma once

#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"

#include <QDir>
#include <QTemporaryDir>

// The demo installation made in a program folder and profile of their own
// under dir; a message box ends the benchmark. Gives the installation file.
inline QString MakeDemoSite(const QTemporaryDir& dir)
{
    qputenv("WARDIX_HOME", QDir(dir.path()).filePath("home").toLocal8Bit());
    Profile::SetLocation(QDir(dir.path()).filePath("profile.ini"));
    SetMessageBoxPresenter([](const MessageBoxRequest& r) {
        qFatal("unexpected box: %s", qPrintable(r.text));
        return 0;
    });
    QString error;
    if (!InstallationTemplate::EnsureNewInstallationTemplate(&error))
        qFatal("%s", qPrintable(error));
    const QString demo =
        InstallationTemplate::EnsureDemoInstallation(QDir(dir.path()).filePath("home/Installations"), &error);
    if (demo.isEmpty())
        qFatal("no demo site: %s", qPrintable(error));
    return demo;
}

// The installation at path, opened and left open for the whole run.
inline CWFDoc* OpenSite(const QString& path)
{
    auto* opened = new CWFDoc;
    if (!opened->OnOpenDocument(path))
        qFatal("cannot open the site");
    return opened;
}
