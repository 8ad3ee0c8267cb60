#pragma once

#include <QString>

// How a node's memory is read back, bank by bank: the bytes asked for in one
// read, what the index advances by after it, the index that ends the bank,
// the size of the bank's records and the top of its progress range. A block
// that would pass the limit is cut to the records left.
struct DownloadBank
{
    int block;
    int step;
    int limit;
    int recordSize;
    int progressMax;
};

namespace DownloadBanks {

inline constexpr int kSettings = 0;
inline constexpr int kCardholders = 1;
inline constexpr int kDirectoryCodes = 2;
inline constexpr int kTransmitterBlocks = 3;
inline constexpr int kCardBlocks = 4;
inline constexpr int kEntryCodes = 5;
inline constexpr int kSingleTransmitters = 6;
inline constexpr int kSingleCards = 7;
inline constexpr int kDisplayMessages = 8;
inline constexpr int kCount = 9;

// The display-message set a download reads into its file.
inline constexpr int kDownloadedMessageSet = 1;

// The bank's row; bank must be 0 to kCount - 1.
const DownloadBank& Of(int bank);

// The file in the download folder that holds the bank.
QString FileName(int bank);

} // namespace DownloadBanks
