#pragma once

#include "DocumentFixture.h"

// The demo installation open, for the settings listing and its views.
class SettingsListingFixture : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(doc.OnOpenDocument(demo));
    }
    void TearDown() override { doc.OnCloseDocument(); }

    int Count(const QString& what) const { return static_cast<int>(doc.m_strSettingsText.count(what)); }

    CWFDoc doc;
};
