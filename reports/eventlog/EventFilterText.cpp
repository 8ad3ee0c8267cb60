#include "reports/eventlog/EventFilterText.h"

namespace {

constexpr int kDoorKeyDoorShift = 8;
constexpr int kNetShift = 4;
// Bit 4 of Door marks an access denied at the door of its low four bits.
constexpr int kDeniedDoorBit = 0x10;
const QString kSearchDateFormat = QStringLiteral("MM/dd/yyyy");
// Reads a month or day with or without its leading zero.
const QString kSearchDateReadFormat = QStringLiteral("M/d/yyyy");

// Appends a page's clauses to the criterion, in parentheses.
void AppendGroup(QString& filter, const QString& group)
{
    if (group.isEmpty())
        return;
    filter += filter.isEmpty() ? QStringLiteral("(") : QStringLiteral(" AND (");
    filter += group + QLatin1Char(')');
}

} // namespace

QString ComposeEventLogFilter(const EventFilterFragments& fragments)
{
    QString filter = fragments.dates;
    AppendGroup(filter, fragments.types);
    AppendGroup(filter, fragments.doors);
    QStringList people;
    for (const QString& fragment : {fragments.cardholders, fragments.operators}) {
        if (!fragment.isEmpty())
            people << fragment;
    }
    AppendGroup(filter, JoinClauses(people));
    return filter;
}

QString DatesClause(const QDate& from, const QDate& to)
{
    // Four-digit years: a two-digit one reads back within 1930-2029.
    return QStringLiteral("[Time] BETWEEN #") + from.toString(kSearchDateFormat) + QStringLiteral(" 00:00:00# AND #")
           + to.toString(kSearchDateFormat) + QStringLiteral(" 23:59:59#");
}

QString TypeClause(int type)
{
    return QStringLiteral("Type = ") + QString::number(type);
}

QString DoorClause(int doorKey)
{
    const int door = DoorKeyDoor(doorKey);
    return QStringLiteral("(NetNode = ") + QString::number(DoorKeyNetNode(doorKey)) + QStringLiteral(" AND ([Door] = ")
           + QString::number(door) + QStringLiteral(" OR [Door] = ") + QString::number(door | kDeniedDoorBit)
           + QStringLiteral("))");
}

QString UserClause(int userID)
{
    return QStringLiteral("(UserID = ") + QString::number(userID) + QLatin1Char(')');
}

QString JoinClauses(const QStringList& clauses)
{
    return clauses.join(QStringLiteral(" OR "));
}

int DoorKey(int net, int node, int door)
{
    return (net << kNetShift) | node | (door << kDoorKeyDoorShift);
}

std::optional<QDate> ReadSearchDate(const QString& text)
{
    const QDate date = QDate::fromString(text.trimmed(), kSearchDateReadFormat);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString WriteSearchDate(const QDate& date)
{
    return date.toString(kSearchDateFormat);
}
