#pragma once

#include "platform/Database.h"
#include "platform/Recordset.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// One table of people in a fresh file, and a recordset bound to it.
class PeopleSet : public Recordset
{
public:
    explicit PeopleSet(QString path)
        : m_path(std::move(path))
    {
    }

    QString GetDefaultDBName() const override { return m_path; }
    QString GetDefaultSQL() const override { return QStringLiteral("[People]"); }
    void DoFieldExchange(FieldExchange& fx) override
    {
        fx.Long(QStringLiteral("PersonID"), m_PersonID);
        fx.Text(QStringLiteral("Name"), m_Name);
        fx.Bool(QStringLiteral("Active"), m_Active);
        fx.DateTime(QStringLiteral("Born"), m_Born);
        fx.Double(QStringLiteral("Score"), m_Score);
        fx.Byte(QStringLiteral("Index"), m_Index);
    }

    std::int32_t m_PersonID = 0;
    QString m_Name;
    bool m_Active = false;
    QDateTime m_Born;
    double m_Score = 0.0;
    std::uint8_t m_Index = 0;

private:
    QString m_path;
};

struct Person
{
    const char* name;
    bool active;
    QDate born;
    double score;
};

class RecordsetTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the rows through a recordset of their own, in this order.
    void AddPeople(const std::vector<Person>& people);
    // Names of the rows from the current one to the end.
    static QStringList NamesToEnd(PeopleSet& set);

    QString FilePath() const { return m_dir.filePath(QStringLiteral("People.mdb")); }
    static TableDef PeopleTable();

    QTemporaryDir m_dir;
};
