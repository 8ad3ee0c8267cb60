#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder (WARDIX_HOME), desktop data folder (XDG_DATA_HOME)
// and profile file for one test; the previous ones come back when it goes.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString Root() const { return m_dir.path(); }
    QString ProgramFolderPath() const;
    QString ProfilePath() const;
    // Where the desktop entry and the file types are installed.
    QString DataHomePath() const;
    // A path below the temporary root.
    QString Path(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    QByteArray m_previousDataHome;
    QString m_previousProfile;
};
