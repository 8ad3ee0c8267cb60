#include "cardholders/CardholderViews.h"

#include "app/ViewFactory.h"
#include "cardholders/CMenuMedias.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CRPCards.h"
#include "cardholders/CRPEnrolledCards.h"
#include "cardholders/CRPEnrolledXmtrs.h"
#include "cardholders/CRPEntryCodes.h"
#include "cardholders/CRPPhoneEntryNumbers.h"
#include "cardholders/CRPTransmitters.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CRPUserGroups.h"

void RegisterCardholderViews()
{
    RegisterViewClass(QStringLiteral("CMenuUsers"), [](QWidget* p) -> QWidget* { return new CMenuUsers(p); });
    RegisterViewClass(QStringLiteral("CRPUser"), [](QWidget* p) -> QWidget* { return new CRPUser(p); });
    RegisterViewClass(QStringLiteral("CRPUserGroups"), [](QWidget* p) -> QWidget* { return new CRPUserGroups(p); });
    RegisterViewClass(QStringLiteral("CMenuMedias"), [](QWidget* p) -> QWidget* { return new CMenuMedias(p); });
    RegisterViewClass(QStringLiteral("CRPCards"), [](QWidget* p) -> QWidget* { return new CRPCards(p); });
    RegisterViewClass(QStringLiteral("CRPTransmitters"), [](QWidget* p) -> QWidget* { return new CRPTransmitters(p); });
    RegisterViewClass(QStringLiteral("CRPEnrolledCards"), [](QWidget* p) -> QWidget* { return new CRPEnrolledCards(p); });
    RegisterViewClass(QStringLiteral("CRPEnrolledXmtrs"), [](QWidget* p) -> QWidget* { return new CRPEnrolledXmtrs(p); });
    RegisterViewClass(QStringLiteral("CRPEntryCodes"), [](QWidget* p) -> QWidget* { return new CRPEntryCodes(p); });
    RegisterViewClass(QStringLiteral("CRPPhoneEntryNumbers"),
                      [](QWidget* p) -> QWidget* { return new CRPPhoneEntryNumbers(p); });
}
