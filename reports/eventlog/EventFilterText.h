#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The fragments of the five filter pages, each empty while its page selects
// nothing.
struct EventFilterFragments
{
    QString dates;
    QString types;
    QString doors;
    QString cardholders;
    QString operators;
};

// The search criterion of the pages' fragments: the pages joined by AND,
// cardholders and operators one group. Empty when nothing is selected.
QString ComposeEventLogFilter(const EventFilterFragments& fragments);

// The clauses the pages write, in the log's Jet SQL.
QString DatesClause(const QDate& from, const QDate& to);
QString TypeClause(int type);
QString DoorClause(int doorKey);
QString UserClause(int userID);
// The clauses of one page, entries joined by OR.
QString JoinClauses(const QStringList& clauses);

// A door of the Doors page: bits 0-3 the node, 4-7 the network, 8-11 the
// door 1 to 4; the low byte is the NetNode the log stores.
int DoorKey(int net, int node, int door);
inline int DoorKeyNode(int key) { return key & 0x0F; }
inline int DoorKeyNet(int key) { return (key >> 4) & 0x0F; }
inline int DoorKeyNetNode(int key) { return key & 0xFF; }
inline int DoorKeyDoor(int key) { return (key >> 8) & 0x0F; }

// The search dates as the profile keeps them, "MM/dd/yyyy" in every locale.
std::optional<QDate> ReadSearchDate(const QString& text);
QString WriteSearchDate(const QDate& date);
