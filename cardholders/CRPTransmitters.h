#pragma once

#include "cardholders/CRPBlockView.h"

// The transmitter blocks.
class CRPTransmitters : public CRPBlockView
{
public:
    explicit CRPTransmitters(QWidget* parent = nullptr) : CRPBlockView(CredentialKind::Transmitter, parent)
    {
        setObjectName(QStringLiteral("CRPTransmitters"));
    }
};
