#pragma once

#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "platform/Archive.h"
#include "tests/app/DocumentFixture.h"
#include "tests/app/StoredCommandReader.h"

#include <QDir>

#include <gtest/gtest.h>

#include <map>

// The demo installation, open.
class ProgrammingRun : public DocumentFixture
{
protected:
    using Files = std::map<QString, QByteArray>;

    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
    }
    void TearDown() override
    {
        g_pendingNodeRequest = {};
        NodeLinkState = {};
        m_doc.OnCloseDocument();
    }

    std::map<int, std::vector<StoredCommand>> StoredByNode() { return ReadStoredCommandsByNode(m_doc); }

    int RowCount()
    {
        return m_doc.CountQueuedCommands();
    }

    void SetFlags(int node, std::int32_t flags)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, node));
        g_setVestrels.Edit();
        g_setVestrels.m_Flags = flags;
        g_setVestrels.Update();
    }

    std::int32_t FlagsOf(int node)
    {
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, node));
        return g_setVestrels.m_Flags;
    }

    // A panel type with a display also gets display messages and directory codes.
    void SetPanelType(int node, std::uint8_t type)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, node));
        g_setVestrels.Edit();
        g_setVestrels.m_PanelType = type;
        g_setVestrels.Update();
    }

    // First run, then an empty queue.
    void ProgramOnceAndSend()
    {
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        ASSERT_TRUE(m_doc.ClearNetCommands());
    }

    // Every file of the current and last-programmed panel folders, by kind
    // and name, and the stored command files.
    Files PanelFiles(const QString& installationFolder) const
    {
        Files files;
        for (int kind : {CWFDoc::kVestrels, CWFDoc::kLastProgrammed, CWFDoc::kNetCommands}) {
            const QDir folder(CWFDoc::BuildPath(kind, QString(), installationFolder));
            for (const QString& name : folder.entryList(QDir::Files))
                files[QString::number(kind) + QLatin1Char('/') + name] =
                    ReadWholeFile(folder.filePath(name)).value_or(QByteArray("<unreadable>"));
        }
        return files;
    }
    Files PanelFiles() const { return PanelFiles(m_doc.m_strInstallationFolder); }

    CWFDoc m_doc;
};
