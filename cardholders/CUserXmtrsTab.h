#pragma once

#include "cardholders/CUserMediaTab.h"

// The cardholder form's transmitters page.
class CUserXmtrsTab : public CUserMediaTab
{
public:
    explicit CUserXmtrsTab(QWidget* parent = nullptr) : CUserMediaTab(CredentialKind::Transmitter, parent) {}
};
