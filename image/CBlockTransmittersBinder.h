#pragma once

#include "image/CBlockBinder.h"

// Writes "BlockTransmitters.dat" (bank 3) from the transmitter blocks and the transmitters.
class CBlockTransmittersBinder : public CBlockBinder
{
public:
    static constexpr std::uint8_t kBank = 3;

    using CBlockBinder::CBlockBinder;

    int Bind() override;
    QString FileName() const override { return QStringLiteral("BlockTransmitters.dat"); }
    std::uint8_t Bank() const override { return kBank; }
};
