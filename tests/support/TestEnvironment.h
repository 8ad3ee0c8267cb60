#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder (WARDIX_HOME) and profile file for one test; the
// previous ones come back when it goes.
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
    // A path below the temporary root.
    QString Path(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    QString m_previousProfile;
};
