#pragma once

#include "cardholders/CRPIndividualView.h"

// The individual transmitters.
class CRPEnrolledXmtrs : public CRPIndividualView
{
public:
    explicit CRPEnrolledXmtrs(QWidget* parent = nullptr) : CRPIndividualView(CredentialKind::Transmitter, parent)
    {
        setObjectName(QStringLiteral("CRPEnrolledXmtrs"));
    }
};
