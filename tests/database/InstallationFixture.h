#pragma once

#include "platform/DatabaseException.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// A fresh installation database folder for each test; the program-wide
// recordsets are closed again when the test ends.
class InstallationTest : public ::testing::Test
{
protected:
    InstallationTest();
    ~InstallationTest() override;

    // The installation's database folder, holding the empty databases.
    QString Folder() const;
    QString FilePath(const char* file) const;
    // Opens the program-wide recordsets on Folder().
    void OpenAll();

    TestEnvironment m_env;
};
