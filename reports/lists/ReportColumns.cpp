#include "reports/lists/ReportColumns.h"

namespace {

constexpr ReportColumn kColumns[kReportColumnEntries] = {
    {3, 0, "Block", false, 40},
    {3, 1, "Start", false, 50},
    {3, 2, "End", false, 50},
    {3, 3, "Facility Codes", true, 80},
    {3, 4, "Name", false, 170},
    {4, 0, "Card Number", false, 120},
    {4, 1, "Facility Codes", true, 80},
    {4, 2, "Cardholder", false, 150},
    {4, 3, "Status", true, 65},
    {4, 4, "Cardholder Set", false, 120},
    {4, 5, "Cardholder Set Status", true, 120},
    {2, 0, "Transmitter Number", false, 120},
    {2, 1, "Facility Codes", true, 80},
    {2, 2, "Cardholder", false, 150},
    {2, 3, "Status", true, 65},
    {2, 4, "Cardholder Set", false, 120},
    {2, 5, "Cardholder Set Status", true, 120},
    {1, 0, "Block", false, 40},
    {1, 1, "Start", false, 50},
    {1, 2, "End", false, 50},
    {1, 3, "Facility Codes", true, 80},
    {1, 4, "Name", false, 140},
    {8, 0, "Entry Code", false, 90},
    {8, 1, "Cardholder", false, 150},
    {8, 2, "Status", true, 65},
    {8, 3, "Cardholder Set", false, 120},
    {8, 4, "Cardholder Set Status", true, 120},
    {9, 0, "Number", false, 80},
    {9, 1, "Cardholder", false, 150},
    {9, 2, "Name in Directory", false, 140},
    {9, 3, "Telephone #", false, 100},
    {9, 4, "Ext. Talk Time", true, 80},
    {9, 5, "Dir Subsets", true, 100},
    {9, 6, "Cardholder Set", false, 120},
    {9, 7, "Cardholder Set Status", true, 120},
    {5, 0, "Name [UserID]", false, 120},
    {5, 1, "Status", true, 55},
    {5, 2, "Address", false, 120},
    {5, 3, "Phone #", true, 100},
    {5, 4, "Expiration", false, 80},
    {5, 5, "Dir Subsets", true, 70},
    {5, 6, "Cardholder Set", false, 140},
    {5, 7, "Cardholder Set Status", true, 120},
    {5, 8, "Anti-PassBack", false, 70},
    {10, 0, "Date & Time", false, 120},
    {10, 1, "Door", false, 120},
    {10, 2, "Modifier", false, 130},
    {10, 3, "Event", false, 250},
};

struct ColumnSet
{
    int set;
    int first;
    int last;
};

constexpr ColumnSet kColumnSets[] = {
    {1, 17, 21}, {2, 11, 16}, {3, 0, 4}, {4, 5, 10}, {5, 35, 43}, {8, 22, 26}, {9, 27, 34}, {10, 44, 47},
};

struct KindColumns
{
    int kind;
    const char* title;
    int columnSet;
};

// "All transtitters" is the title as the program has always printed it.
constexpr KindColumns kKinds[] = {
    {kReportKindBlockTransmitters, "Block transmitters", 1},
    {kReportKindAllTransmitters, "All transtitters", 2},
    {kReportKindBlockCards, "Block cards", 3},
    {kReportKindAllCards, "All cards", 4},
    {kReportKindCardholdersWithCredentials, "Cardholders with credentials", 5},
    {kReportKindCardholdersWithoutCredentials, "Cardholders without credentials", 5},
    {kReportKindEntryCodes, "Entry codes", 8},
    {kReportKindDirectoryCodes, "Phone entry numbers", 9},
    {kReportKindEventLog, "Eventlog", 10},
};

} // namespace

const ReportColumn* FindReportColumn(int entry)
{
    if (entry < 0 || entry >= kReportColumnEntries)
        return nullptr;
    return &kColumns[entry];
}

bool ColumnSetEntries(int set, int& first, int& last)
{
    for (const ColumnSet& s : kColumnSets) {
        if (s.set == set) {
            first = s.first;
            last = s.last;
            return true;
        }
    }
    return false;
}

bool ReportKindColumns(int kind, QString& title, int& columnSet)
{
    for (const KindColumns& k : kKinds) {
        if (k.kind == kind) {
            title = QString::fromLatin1(k.title);
            columnSet = k.columnSet;
            return true;
        }
    }
    return false;
}
