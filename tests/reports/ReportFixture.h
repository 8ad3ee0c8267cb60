#pragma once

#include "app/CWFDoc.h"
#include "database/GlobalRecordsets.h"
#include "tests/app/DocumentFixture.h"

#include <cstdint>

// The demo installation open, its block tables emptied, and block rows to add.
class ReportFixture : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
        DeleteAllRows(g_setTransmitterBlocks);
        DeleteAllRows(g_setCardBlocks);
        for (int i = 0; i < 16; ++i) {
            std::uint16_t card = static_cast<std::uint16_t>(100 + i);
            std::uint16_t transmitter = static_cast<std::uint16_t>(500 + i);
            m_doc.CardFacilityCode(card, i, 0);
            m_doc.XmtrFacilityCode(transmitter, i, 0);
        }
    }
    void TearDown() override { m_doc.OnCloseDocument(); }

    static void DeleteAllRows(Recordset& set)
    {
        set.Requery();
        while (!set.IsEOF()) {
            set.Delete();
            set.MoveNext();
        }
        set.Requery();
    }

    struct Block
    {
        double begin;
        double end;
        QString name;
        std::array<std::uint8_t, 4> selections{};
        bool deleted = false;
    };

    template <class BlockSet>
    static void AddBlock(BlockSet& set, const Block& block)
    {
        set.AddNew();
        set.m_BlockBegin = block.begin;
        set.m_BlockEnd = block.end;
        set.m_BlockName = block.name;
        set.m_Deleted = block.deleted;
        set.m_FacCode_Sel_A = block.selections[0];
        set.m_FacCode_Sel_B = block.selections[1];
        set.m_FacCode_Sel_C = block.selections[2];
        set.m_FacCode_Sel_D = block.selections[3];
        set.Update();
    }

    CWFDoc m_doc;
};
