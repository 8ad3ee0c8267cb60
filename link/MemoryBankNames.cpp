#include "link/MemoryBankNames.h"

namespace {
constexpr const char* kUnknownBank = "?";
} // namespace

const std::array<const char*, 9> MemoryBankNames = {
    "Node Settings",
    "Cardholders",
    "Directory Codes",
    "Transmitter Blocks",
    "Card Blocks",
    "Entry Codes",
    "Single Learned Tranmitters",
    "Single Learned Cards",
    "Display Messages",
};

QString MemoryBankName(int bank)
{
    if (bank < 0 || bank >= static_cast<int>(MemoryBankNames.size()))
        return QString::fromLatin1(kUnknownBank);
    return QString::fromLatin1(MemoryBankNames[static_cast<std::size_t>(bank)]);
}
