#include "reports/lists/ReportBuilders.h"

#include "reports/eventlog/EventLogReport.h"
#include "reports/lists/BlockReport.h"
#include "reports/lists/CardholderReport.h"
#include "reports/lists/CredentialReport.h"
#include "reports/lists/DirectoryReport.h"
#include "reports/lists/EntryCodeReport.h"
#include "reports/lists/ReportColumns.h"

namespace {

struct KindBuilder
{
    int kind;
    ReportBuilder builder;
};

constexpr KindBuilder kBuilders[] = {
    {kReportKindBlockTransmitters, BuildTransmitterBlockReport},
    {kReportKindAllTransmitters, BuildTransmitterReport},
    {kReportKindBlockCards, BuildCardBlockReport},
    {kReportKindCardholdersWithCredentials, BuildCardholdersWithCredentials},
    {kReportKindCardholdersWithoutCredentials, BuildCardholdersWithoutCredentials},
    {kReportKindAllCards, BuildCardReport},
    {kReportKindEntryCodes, BuildEntryCodeReport},
    {kReportKindDirectoryCodes, BuildPhoneEntryReport},
    {kReportKindEventLog, BuildEventLogReport},
};

struct ColumnBuilder
{
    int kind;
    int column;
    ReportBuilder builder;
};

// The number column rebuilds the kind's own report.
constexpr ColumnBuilder kSortVariants[] = {
    {kReportKindAllTransmitters, 0, BuildTransmitterReport},
    {kReportKindAllTransmitters, 2, BuildTransmitterReportByCardholder},
    {kReportKindAllTransmitters, 3, BuildTransmitterReportByStatus},
    {kReportKindAllTransmitters, 4, BuildTransmitterReportBySet},
    {kReportKindAllTransmitters, 5, BuildTransmitterReportBySetStatus},
    {kReportKindAllCards, 0, BuildCardReport},
    {kReportKindAllCards, 2, BuildCardReportByCardholder},
    {kReportKindAllCards, 3, BuildCardReportByStatus},
    {kReportKindAllCards, 4, BuildCardReportBySet},
    {kReportKindAllCards, 5, BuildCardReportBySetStatus},
    {kReportKindEntryCodes, 0, BuildEntryCodeReportByCode},
    {kReportKindEntryCodes, 1, BuildEntryCodeReportByCardholder},
    {kReportKindEntryCodes, 2, BuildEntryCodeReportByStatus},
    {kReportKindEntryCodes, 3, BuildEntryCodeReportBySet},
    {kReportKindEntryCodes, 4, BuildEntryCodeReportBySetStatus},
    {kReportKindDirectoryCodes, 0, BuildPhoneEntryReportByNumber},
    {kReportKindDirectoryCodes, 1, BuildPhoneEntryReportByCardholder},
    {kReportKindDirectoryCodes, 2, BuildPhoneEntryReportByName},
    {kReportKindDirectoryCodes, 3, BuildPhoneEntryReportByPhone},
    {kReportKindDirectoryCodes, 4, BuildPhoneEntryReportByTalkTime},
    {kReportKindDirectoryCodes, 5, BuildPhoneEntryReportBySubsets},
    {kReportKindDirectoryCodes, 6, BuildPhoneEntryReportBySet},
    {kReportKindDirectoryCodes, 7, BuildPhoneEntryReportBySetStatus},
};

} // namespace

ReportBuilder FindReportBuilder(int kind)
{
    for (const KindBuilder& k : kBuilders) {
        if (k.kind == kind)
            return k.builder;
    }
    return nullptr;
}

ReportBuilder FindSortVariant(int kind, int column)
{
    if (kind == kReportKindCardholdersWithCredentials || kind == kReportKindCardholdersWithoutCredentials)
        return CardholderSortVariant(kind == kReportKindCardholdersWithCredentials, column);
    for (const ColumnBuilder& c : kSortVariants) {
        if (c.kind == kind && c.column == column)
            return c.builder;
    }
    return nullptr;
}
