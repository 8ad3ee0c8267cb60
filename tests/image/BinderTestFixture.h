#pragma once

#include "app/CWFDoc.h"
#include "database/GlobalRecordsets.h"
#include "image/CBindManager.h"
#include "link/CNetCommand.h"
#include "link/INetCommandSink.h"
#include "link/NetCommandKinds.h"
#include "platform/Archive.h"
#include "tests/app/DocumentFixture.h"

#include <vector>

// One memory write as a panel receives it.
struct MemoryWrite
{
    int bank;
    int unit;
    QByteArray data;
};

// Keeps the memory writes the bind manager makes, with no start commands.
class RecordingSink : public INetCommandSink
{
public:
    bool StoreCommand(const CNetCommand& command) override
    {
        const QByteArray& p = command.m_payload;
        if (command.m_kind == NetKind::MemoryWrite && p.size() >= 5)
            writes.push_back({static_cast<std::uint8_t>(p[0]),
                              static_cast<std::uint8_t>(p[1]) << 8 | static_cast<std::uint8_t>(p[2]), p.mid(5)});
        return true;
    }
    void SetStartFlag(int, int) override {}
    bool TakeStartFlag(int, int) override { return false; }

    std::vector<MemoryWrite> writes;
};

// An open copy of the template installation and a bind manager on it.
class BinderTestFixture : public DocumentFixture
{
protected:
    static constexpr std::uint8_t kNodeA1 = 11;

    void SetUp() override
    {
        DocumentFixture::SetUp();
        ASSERT_TRUE(m_doc.OnOpenDocument(MakeInstallation(QStringLiteral("Site"))));
        QDir().mkpath(m_manager.ControllerFolder());
        QDir().mkpath(m_manager.LastProgrammedFolder());
    }

    QByteArray CurrentFile(const QString& name) const
    {
        return ReadWholeFile(m_manager.ControllerFolder() + QLatin1Char('/') + name).value_or(QByteArray());
    }

    CWFDoc m_doc;
    RecordingSink m_sink;
    CBindManager m_manager{m_doc, m_sink};
};
