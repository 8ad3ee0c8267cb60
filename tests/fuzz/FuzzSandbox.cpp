#include "tests/fuzz/FuzzSandbox.h"

#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/ShellOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

FuzzSandbox& FuzzSandbox::Get()
{
    static FuzzSandbox sandbox;
    return sandbox;
}

FuzzSandbox::FuzzSandbox()
{
    if (!m_dir.isValid()) {
        std::fputs("fuzz sandbox: no temporary folder\n", stderr);
        std::abort();
    }
    qputenv("WARDIX_HOME", QFile::encodeName(Path(QStringLiteral("home"))));
    Profile::SetLocation(Path(QStringLiteral("profile.ini")));
    static int argc = 1;
    static char name[] = "wardix-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    SetMessageBoxPresenter([](const MessageBoxRequest& request) {
        switch (request.buttons) {
        case MbButtons::Ok:
            return static_cast<int>(IDOK);
        case MbButtons::YesNo:
        case MbButtons::YesNoCancel:
            return static_cast<int>(IDNO);
        default:
            return static_cast<int>(IDCANCEL);
        }
    });
    SetShellOpener([](const QUrl&) { return false; });
}

QString FuzzSandbox::Path(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

QByteArray FuzzSandbox::Bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void FuzzSandbox::WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "fuzz sandbox: cannot write %s\n", qPrintable(path));
        std::abort();
    }
}
