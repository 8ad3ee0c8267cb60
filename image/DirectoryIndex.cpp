#include "image/DirectoryIndex.h"

#include "image/CDirCodesBinder.h"
#include "image/CVLMemory.h"

#include <algorithm>
#include <array>

int g_nDirectoryPages = 0;

namespace {

constexpr int kCharacters = 128;
constexpr int kEntriesPerPage = 24;
constexpr int kNameStart = 28;
constexpr int kSubsetByte = 52;
constexpr int kAreaCount = 0;
constexpr int kAreaListStart = 2;
constexpr int kAreaMidpoint = 4;
constexpr int kAreaFirstEntries = 18;
constexpr int kAreaCounts = kAreaFirstEntries + 2 * kCharacters;

void PutBigWord(DirectoryWorkArea& area, int at, std::uint16_t value)
{
    area[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value >> 8);
    area[static_cast<std::size_t>(at) + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

int BuildDirectoryIndex(CVLMemory& image, DirectoryWorkArea& area, bool ignoreCase)
{
    // Codes are given out over the whole directory, as the directory file
    // has them, so the index of a controller that shows only some subsets
    // points at the records the file really holds.
    CDirCodesBinder::DirectoryWork work;
    if (CDirCodesBinder::CollectDirectoryEntries(work, CDirCodesBinder::kAllSubsets, {}) > 0) {
        CDirCodesBinder::SortDirectoryEntries(work, ignoreCase);
        CDirCodesBinder::AssignDirectorySlots(work, {});
    }
    const std::uint8_t subsets = image.Byte(VLLayout::kDirectorySubsets);
    std::vector<const CDirCodesBinder::WorkRecord*> shown;
    for (const auto& record : work.records) {
        if (record.entry[kSubsetByte] & subsets)
            shown.push_back(&record);
    }
    const auto count = static_cast<std::uint16_t>(shown.size());
    const auto start = static_cast<std::uint16_t>(shown.empty() ? 0 : shown.front()->number);
    const auto middle = static_cast<std::uint16_t>(shown.empty() ? 0 : shown[shown.size() / 2]->number);

    std::array<std::uint16_t, kCharacters> firsts{};
    std::array<std::uint16_t, kCharacters> counts{};
    int previous = -1;
    for (const auto* record : shown) {
        int c = record->entry[kNameStart];
        if (ignoreCase && c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        // A name that starts beyond 7-bit characters has no table entry.
        if (c < kCharacters) {
            ++counts[static_cast<std::size_t>(c)];
            if (c != previous)
                firsts[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(record->number);
        }
        previous = c;
    }

    PutBigWord(area, kAreaCount, count);
    PutBigWord(area, kAreaListStart, start);
    PutBigWord(area, kAreaMidpoint, middle);
    image.SetWord(VLLayout::kDirectoryCount, count);
    image.SetWord(VLLayout::kDirectoryListStart, start);
    image.SetWord(VLLayout::kDirectoryMidpoint, middle);
    int pages = 0;
    for (int c = 0; c < kCharacters; ++c) {
        PutBigWord(area, kAreaFirstEntries + 2 * c, firsts[static_cast<std::size_t>(c)]);
        PutBigWord(area, kAreaCounts + 2 * c, counts[static_cast<std::size_t>(c)]);
        image.SetWord(VLLayout::kDirectoryFirstEntries.At(c), firsts[static_cast<std::size_t>(c)]);
        image.SetWord(VLLayout::kDirectoryCounts.At(c), counts[static_cast<std::size_t>(c)]);
        pages += (counts[static_cast<std::size_t>(c)] + kEntriesPerPage - 1) / kEntriesPerPage;
    }
    if (pages != 0)
        g_nDirectoryPages = pages;
    return pages;
}
