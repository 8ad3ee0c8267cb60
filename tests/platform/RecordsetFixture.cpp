#include "tests/platform/RecordsetFixture.h"

#include <QTimeZone>

TableDef RecordsetTest::PeopleTable()
{
    return {QStringLiteral("People"),
            {{QStringLiteral("PersonID"), FieldType::Long, ColumnDef::Counter, {}},
             {QStringLiteral("Name"), FieldType::Text, ColumnDef::NotKey, {}},
             {QStringLiteral("Active"), FieldType::Bool, ColumnDef::NotKey, QStringLiteral("0")},
             {QStringLiteral("Born"), FieldType::DateTime, ColumnDef::NotKey, {}},
             {QStringLiteral("Score"), FieldType::Double, ColumnDef::NotKey, QStringLiteral("0")},
             {QStringLiteral("Index"), FieldType::Byte, ColumnDef::NotKey, QStringLiteral("7")}},
            {{{QStringLiteral("Name")}}}};
}

void RecordsetTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    Database::Create(FilePath())->CreateTable(PeopleTable());
}

void RecordsetTest::TearDown()
{
    Database::CloseAllConnections();
}

void RecordsetTest::AddPeople(const std::vector<Person>& people)
{
    PeopleSet set(FilePath());
    set.Open();
    for (const Person& person : people) {
        set.AddNew();
        set.m_Name = QString::fromUtf8(person.name);
        set.m_Active = person.active;
        set.m_Born = QDateTime(person.born, QTime(0, 0), QTimeZone::utc());
        set.m_Score = person.score;
        set.Update();
    }
}

QStringList RecordsetTest::NamesToEnd(PeopleSet& set)
{
    QStringList names;
    for (; !set.IsEOF(); set.MoveNext())
        names << set.m_Name;
    return names;
}
