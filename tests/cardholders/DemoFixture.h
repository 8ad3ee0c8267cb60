#pragma once

#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "database/GlobalRecordsets.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

// A fresh copy of the demo installation, open, with boxes scripted.
class DemoFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(InstallationTemplate::EnsureNewInstallationTemplate(&error)) << error.toStdString();
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
    }
    void TearDown() override { m_doc.OnCloseDocument(); }

    std::int32_t UserIdOf(const QString& first)
    {
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        EXPECT_TRUE(g_setUsers.FindFirst(QStringLiteral("FirstName = \"%1\"").arg(first)));
        return g_setUsers.m_UserID;
    }

    TestEnvironment m_env;
    MessageBoxScript m_boxes;
    CWFDoc m_doc;
};
