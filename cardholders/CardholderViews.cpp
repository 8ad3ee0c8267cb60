#include "cardholders/CardholderViews.h"

#include "app/ViewFactory.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CRPUserGroups.h"

void RegisterCardholderViews()
{
    RegisterViewClass(QStringLiteral("CMenuUsers"), [](QWidget* p) -> QWidget* { return new CMenuUsers(p); });
    RegisterViewClass(QStringLiteral("CRPUser"), [](QWidget* p) -> QWidget* { return new CRPUser(p); });
    RegisterViewClass(QStringLiteral("CRPUserGroups"), [](QWidget* p) -> QWidget* { return new CRPUserGroups(p); });
}
