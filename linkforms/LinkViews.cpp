#include "linkforms/LinkViews.h"

#include "app/ViewFactory.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/CMenuMonitorDlg.h"
#include "linkforms/CMonitorForm.h"
#include "linkforms/CRPNetworkStatusForm.h"

void RegisterLinkViews()
{
    RegisterViewClass(QStringLiteral("CCommControlForm"),
                      [](QWidget* parent) -> QWidget* { return new CCommControlForm(parent); });
    RegisterViewClass(QStringLiteral("CRPNetworkStatusForm"),
                      [](QWidget* parent) -> QWidget* { return new CRPNetworkStatusForm(parent); });
    RegisterViewClass(QStringLiteral("CMonitorForm"), [](QWidget* parent) -> QWidget* { return new CMonitorForm(parent); });
    RegisterViewClass(QStringLiteral("CMenuMonitorDlg"),
                      [](QWidget* parent) -> QWidget* { return new CMenuMonitorDlg(parent); });
}
