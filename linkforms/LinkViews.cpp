#include "linkforms/LinkViews.h"

#include "app/ViewFactory.h"
#include "linkforms/CRPNetworkStatusForm.h"

void RegisterLinkViews()
{
    RegisterViewClass(QStringLiteral("CRPNetworkStatusForm"),
                      [](QWidget* parent) -> QWidget* { return new CRPNetworkStatusForm(parent); });
}
