#pragma once

#include "cardholders/CRPBlockView.h"

// The card blocks.
class CRPCards : public CRPBlockView
{
public:
    explicit CRPCards(QWidget* parent = nullptr) : CRPBlockView(CredentialKind::Card, parent)
    {
        setObjectName(QStringLiteral("CRPCards"));
    }
};
