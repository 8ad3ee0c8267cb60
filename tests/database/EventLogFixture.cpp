#include "tests/database/EventLogFixture.h"

#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

void EventLogFixture::SetUp()
{
    DocumentFixture::SetUp();
    ASSERT_TRUE(m_doc.OnOpenDocument(MakeInstallation("Site")));
    SetInstallationDoc(&m_doc);
}

void EventLogFixture::TearDown()
{
    SetInstallationDoc(nullptr);
    m_doc.OnCloseDocument();
}

void EventLogFixture::AddEventAt(const QDateTime& time)
{
    constexpr std::uint8_t kTimeSet = 15;
    constexpr std::uint8_t kHost = 7;
    g_setEventLog.AddEvent(kTimeSet, 0, 0, 0, 0, 0, 0, 0, 0, 0, kHost, time);
}

qint64 EventLogFixture::CountRows(const QString& path, const QString& table, const QString& where)
{
    const std::shared_ptr<Database> database = Database::Open(path);
    SqlStatement count(database->Handle(), QStringLiteral("SELECT COUNT(*) FROM %1%2")
                                               .arg(BracketName(table), where.isEmpty() ? QString() : " WHERE " + where));
    count.Step();
    return count.Int64(0);
}
