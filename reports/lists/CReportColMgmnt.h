#pragma once

#include "reports/lists/IReportRowSink.h"

#include <QString>

#include <cstdint>

// The two row helpers every report builder writes through.
class CReportColMgmnt
{
public:
    // Operations of AddNumberRun.
    static constexpr int RunStart = 1;
    static constexpr int RunFlush = 2;
    static constexpr int RunAdd = 3;

    // One row of nine cells; an empty first cell adds no row, so a row that
    // must look blank in front is given " ".
    static void AddReportRow(IReportRowSink& rows, QString cell0, QString cell1 = {}, QString cell2 = {},
                             QString cell3 = {}, QString cell4 = {}, QString cell5 = {}, QString cell6 = {},
                             QString cell7 = {}, QString cell8 = {});

    // Runs of consecutive credential numbers, one row per run: "%13s - %s",
    // or "%13s" for a run of one. The run state is shared by every report;
    // each builder starts with RunStart.
    static void AddNumberRun(IReportRowSink& rows, int operation, double number);

    // The detail lines under a cardholder of the program-wide CSetUsers: its
    // labelled custom fields ("Fields:"), and every credential it holds
    // ("Credential:"). Nothing when the cardholder is not found.
    static void AddCardholderFieldLines(IReportRowSink& rows, std::int32_t userId);
    static void AddCardholderCredentialLines(IReportRowSink& rows, std::int32_t userId);

    // A credential number right-aligned in 13 characters, as every report
    // shows one ("%13s"); a longer number is not cut.
    static QString NumberCell(double number);
};
