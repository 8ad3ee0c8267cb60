#pragma once

#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "database/FolderCopy.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// A fresh program folder with the template, and copies of it to open.
class DocumentFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(InstallationTemplate::EnsureNewInstallationTemplate(&error)) << error.toStdString();
    }

    QString TemplateFolder() const { return m_env.Path("home/New Installation"); }

    // A copy of the template under Installations/<name>; returns its file.
    QString MakeInstallation(const QString& name) const
    {
        const QString folder = m_env.Path("home/Installations/" + name);
        EXPECT_TRUE(CopyFolderContents(TemplateFolder(), folder));
        const QString file = folder + "/" + name + ".wfi";
        QFile::rename(folder + "/New installation.wfi", file);
        return file;
    }

    TestEnvironment m_env;
};
