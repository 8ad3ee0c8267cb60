#pragma once

#include "image/CSingleLearnedBinder.h"

// Writes "SingleTransmitters.dat" (bank 6): the individually enrolled transmitters.
class CSingleTransmittersBinder : public CSingleLearnedBinder
{
public:
    static constexpr std::uint8_t kBank = 6;

    using CSingleLearnedBinder::CSingleLearnedBinder;

    int Bind() override;
    QString FileName() const override { return QStringLiteral("SingleTransmitters.dat"); }
    std::uint8_t Bank() const override { return kBank; }
};
