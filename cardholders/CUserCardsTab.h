#pragma once

#include "cardholders/CUserMediaTab.h"

// The cardholder form's cards page.
class CUserCardsTab : public CUserMediaTab
{
public:
    explicit CUserCardsTab(QWidget* parent = nullptr) : CUserMediaTab(CredentialKind::Card, parent) {}
};
