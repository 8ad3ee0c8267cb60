#include "reports/lists/CReportColMgmnt.h"

#include "common/Formatting.h"

namespace {

constexpr int kNumberWidth = 13;

struct NumberRun
{
    double start = 0.0;
    double end = 0.0;
    double previous = 0.0;
    bool open = false;
};

NumberRun g_run;

void FlushRun(IReportRowSink& rows)
{
    if (!g_run.open)
        return;
    QString text = CReportColMgmnt::NumberCell(g_run.start);
    if (g_run.start != g_run.end)
        text += QStringLiteral(" - ") + FormatWholeNumber(g_run.end);
    CReportColMgmnt::AddReportRow(rows, text);
    g_run.open = false;
}

void AddToRun(IReportRowSink& rows, double number)
{
    if (g_run.open && number != g_run.previous + 1)
        FlushRun(rows);
    if (!g_run.open) {
        g_run = {number, number, number, true};
        return;
    }
    g_run.end = g_run.previous = number;
}

} // namespace

void CReportColMgmnt::AddReportRow(IReportRowSink& rows, QString cell0, QString cell1, QString cell2, QString cell3,
                                   QString cell4, QString cell5, QString cell6, QString cell7, QString cell8)
{
    if (cell0.isEmpty())
        return;
    rows.AppendRow({std::move(cell0), std::move(cell1), std::move(cell2), std::move(cell3), std::move(cell4),
                    std::move(cell5), std::move(cell6), std::move(cell7), std::move(cell8)});
}

void CReportColMgmnt::AddNumberRun(IReportRowSink& rows, int operation, double number)
{
    switch (operation) {
    case RunStart:
        g_run = {number, number, number, false};
        break;
    case RunFlush:
        FlushRun(rows);
        break;
    case RunAdd:
        AddToRun(rows, number);
        break;
    default:
        break;
    }
}

QString CReportColMgmnt::NumberCell(double number)
{
    return FormatWholeNumber(number).rightJustified(kNumberWidth, QLatin1Char(' '));
}
