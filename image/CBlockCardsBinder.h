#pragma once

#include "image/CBlockBinder.h"

// Writes "BlockCards.dat" (bank 4) from the card blocks and the cards.
class CBlockCardsBinder : public CBlockBinder
{
public:
    static constexpr std::uint8_t kBank = 4;

    using CBlockBinder::CBlockBinder;

    int Bind() override;
    QString FileName() const override { return QStringLiteral("BlockCards.dat"); }
    std::uint8_t Bank() const override { return kBank; }
};
