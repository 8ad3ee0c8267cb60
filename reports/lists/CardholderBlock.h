#pragma once

#include "reports/lists/IReportRowSink.h"

#include <QString>

class CSetUserGroups;
class CSetUsers;

// Where the cardholder's set comes from: looked up by its CHSetIndex, or the
// current row of the sets a set order walks.
enum class CardholderSetRow { Lookup, Walked };

// The lines of the current cardholder of the program-wide CSetUsers: its two
// lines, its custom-field lines and, with credentials, its credential lines.
// A null subsets text is looked up from the cardholder's first directory entry.
void WriteCardholderBlock(IReportRowSink& rows, bool withCredentials, CardholderSetRow setRow,
                          const QString* subsets = nullptr);

// The built-in "No Access" set is suspended and its members inactive; writes
// only what the database does not say yet.
void EnforceNoAccessRule(CSetUserGroups& set, CSetUsers& user);

// The subsets of the program-wide CSetPhoneEntries' current row.
QString CurrentEntrySubsets();
