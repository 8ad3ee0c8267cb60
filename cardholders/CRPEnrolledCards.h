#pragma once

#include "cardholders/CRPIndividualView.h"

// The individual cards.
class CRPEnrolledCards : public CRPIndividualView
{
public:
    explicit CRPEnrolledCards(QWidget* parent = nullptr) : CRPIndividualView(CredentialKind::Card, parent)
    {
        setObjectName(QStringLiteral("CRPEnrolledCards"));
    }
};
