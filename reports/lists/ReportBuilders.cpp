#include "reports/lists/ReportBuilders.h"

#include "reports/lists/BlockReport.h"
#include "reports/lists/CardholderReport.h"
#include "reports/lists/ReportColumns.h"

namespace {

struct KindBuilder
{
    int kind;
    ReportBuilder builder;
};

constexpr KindBuilder kBuilders[] = {
    {kReportKindBlockTransmitters, BuildTransmitterBlockReport},
    {kReportKindBlockCards, BuildCardBlockReport},
    {kReportKindCardholdersWithCredentials, BuildCardholdersWithCredentials},
    {kReportKindCardholdersWithoutCredentials, BuildCardholdersWithoutCredentials},
};

// The number order of the all-transmitters and all-cards reports is their own.
constexpr int kNumberColumn = 0;

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
    if ((kind == kReportKindAllTransmitters || kind == kReportKindAllCards) && column == kNumberColumn)
        return FindReportBuilder(kind);
    if (kind == kReportKindCardholdersWithCredentials || kind == kReportKindCardholdersWithoutCredentials)
        return CardholderSortVariant(kind == kReportKindCardholdersWithCredentials, column);
    return nullptr;
}
