#include "image/DownloadBanks.h"

#include "image/CVLMemory.h"
#include "image/DisplayMessageFile.h"

#include <array>

namespace {

// The settings image comes in two halves; the display messages in one block.
constexpr std::array<DownloadBank, DownloadBanks::kCount> kBanks = {{
    {4096, 1, 2, 4096, 1},
    {4096, 512, 10000, 8, 10000},
    {4056, 78, 10000, 52, 10000},
    {4082, 1, 24, 4082, 24},
    {4082, 1, 24, 4082, 24},
    {4092, 372, 20000, 11, 20000},
    {4096, 256, 20000, 16, 20000},
    {4096, 256, 20000, 16, 20000},
    {4096, 1, 1, 4096, 1},
}};

constexpr std::array<const char*, DownloadBanks::kCount - 1> kFiles = {
    kDownloadedControllerFile, "Cardholders.dat", "DirCodes.dat", "BlockTransmitters.dat",
    "BlockCards.dat", "EntryCodes.dat", "SingleTransmitters.dat", "SingleCards.dat",
};

} // namespace

const DownloadBank& DownloadBanks::Of(int bank)
{
    return kBanks.at(static_cast<std::size_t>(bank));
}

QString DownloadBanks::FileName(int bank)
{
    if (bank == kDisplayMessages)
        return DisplayMessageFile::FileName(kDownloadedMessageSet);
    return QString::fromLatin1(kFiles.at(static_cast<std::size_t>(bank)));
}
