#include "reports/ReportViews.h"

#include "app/CWFApp.h"
#include "app/ViewFactory.h"
#include "reports/eventlog/CMenuEventLog.h"
#include "reports/lists/CMenuReports.h"
#include "reports/lists/CRPListView.h"
#include "reports/system/CRPReportEditView.h"

void RegisterReportViews()
{
    // The list keeps its column widths in the application's settings.
    RegisterViewClass(QStringLiteral("CRPListView"), [](QWidget* parent) -> QWidget* {
        CWFApp* app = GetApp();
        return app ? new CRPListView(app->Settings(), parent) : nullptr;
    });
    RegisterViewClass(QStringLiteral("CRPReportEditView"), [](QWidget* parent) -> QWidget* {
        CWFApp* app = GetApp();
        return app ? new CRPReportEditView(app->Settings(), parent) : nullptr;
    });
    RegisterViewClass(QStringLiteral("CMenuReports"),
                      [](QWidget* parent) -> QWidget* { return new CMenuReports(parent); });
    // The filter pages keep the dates and types in the application's settings.
    RegisterViewClass(QStringLiteral("CMenuEventLog"), [](QWidget* parent) -> QWidget* {
        CWFApp* app = GetApp();
        return app ? new CMenuEventLog(app->Settings(), parent) : nullptr;
    });
}
