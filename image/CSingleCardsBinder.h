#pragma once

#include "image/CSingleLearnedBinder.h"

// Writes "SingleCards.dat" (bank 7): the individually enrolled cards.
class CSingleCardsBinder : public CSingleLearnedBinder
{
public:
    static constexpr std::uint8_t kBank = 7;

    using CSingleLearnedBinder::CSingleLearnedBinder;

    int Bind() override;
    QString FileName() const override { return QStringLiteral("SingleCards.dat"); }
    std::uint8_t Bank() const override { return kBank; }
};
