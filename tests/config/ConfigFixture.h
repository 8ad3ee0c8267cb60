#pragma once

#include "app/CWFDoc.h"
#include "tests/app/DocumentFixture.h"

// A copy of the template installation, open.
class OpenInstallation : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        ASSERT_TRUE(m_doc.OnOpenDocument(MakeInstallation("Site")));
    }
    void TearDown() override { m_doc.OnCloseDocument(); }

    std::uint8_t Byte(int offset) const { return m_doc.m_globalMemory.Byte(offset); }
    void SetByte(int offset, std::uint8_t value) { m_doc.m_globalMemory.SetByte(offset, value); }

    CWFDoc m_doc;
};
