#pragma once

#include <QString>

// The report kinds, the table of report columns and the column sets. Column
// widths are kept per table entry, so sets that share titles keep their own.

inline constexpr int kReportKindNone = 0;
inline constexpr int kReportKindBlockTransmitters = 1;
inline constexpr int kReportKindAllTransmitters = 2;
inline constexpr int kReportKindBlockCards = 3;
inline constexpr int kReportKindAllCards = 4;
inline constexpr int kReportKindCardholdersWithCredentials = 6;
inline constexpr int kReportKindCardholdersWithoutCredentials = 7;
inline constexpr int kReportKindEntryCodes = 8;
inline constexpr int kReportKindDirectoryCodes = 9;
inline constexpr int kReportKindEventLog = 10;

inline constexpr int kReportColumnEntries = 48;
// A report row has nine cells, the widest column set.
inline constexpr int kReportCells = 9;

struct ReportColumn
{
    int set;
    int position;
    const char* title;
    bool centred;
    int defaultWidth;
};

// Entry 0 to 47; null outside.
const ReportColumn* FindReportColumn(int entry);

// The entries of a column set, first to last; false for a set without columns.
bool ColumnSetEntries(int set, int& first, int& last);

// What a kind shows: its title and column set. False for kind 0 and for
// kinds that show nothing (5, and anything outside 0-10).
bool ReportKindColumns(int kind, QString& title, int& columnSet);
