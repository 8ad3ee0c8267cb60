#pragma once

#include "tests/support/TestEnvironment.h"

#include <QString>

#include <gtest/gtest.h>

// A temporary program folder and profile with helpers that lay out
// installation folders on disk.
class InstallationListFixture : public ::testing::Test
{
protected:
    // Makes root/<folder>/<file>.wfi naming the installation, with a small
    // database file beside it; returns the installation file's path.
    QString MakeInstallation(const QString& folder, const QString& name, const char* version = "2.00",
                             const QString& file = QString()) const;
    // Makes it and enters it into the profile list at slot.
    QString ListInstallation(int slot, const QString& folder, const QString& name) const;
    QString ProfileEntry(int slot) const;
    static void WriteFile(const QString& path, const QByteArray& bytes);
    static QByteArray ReadFile(const QString& path);

    TestEnvironment m_env;
};
