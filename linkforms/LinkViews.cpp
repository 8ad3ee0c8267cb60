#include "linkforms/LinkViews.h"

#include "app/ViewFactory.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/CRPNetworkStatusForm.h"

void RegisterLinkViews()
{
    RegisterViewClass(QStringLiteral("CCommControlForm"),
                      [](QWidget* parent) -> QWidget* { return new CCommControlForm(parent); });
    RegisterViewClass(QStringLiteral("CRPNetworkStatusForm"),
                      [](QWidget* parent) -> QWidget* { return new CRPNetworkStatusForm(parent); });
}
