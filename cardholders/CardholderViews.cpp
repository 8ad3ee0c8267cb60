#include "cardholders/CardholderViews.h"

#include "app/ViewFactory.h"
#include "cardholders/CMenuUsers.h"

void RegisterCardholderViews()
{
    RegisterViewClass(QStringLiteral("CMenuUsers"), [](QWidget* p) -> QWidget* { return new CMenuUsers(p); });
}
