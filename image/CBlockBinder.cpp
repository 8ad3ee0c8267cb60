#include "image/CBlockBinder.h"

#include "image/BindProgress.h"
#include "image/IBindDocument.h"
#include "link/CNetCommandQueue.h"
#include "platform/MessageBox.h"

#include <cmath>

namespace {
constexpr int kNumberBytes = 5;
constexpr int kFirstNumber = 1;
constexpr int kLastNumber = 6;
constexpr int kMaskByte = 11;
constexpr int kHighestFacilityCode = 16;
constexpr std::uint8_t kFirstBit = 0x80;
constexpr int kBitsPerByte = 8;

std::uint64_t Truncated(double number)
{
    return number <= 0 ? 0 : static_cast<std::uint64_t>(number);
}

void PutNumber(QByteArray& page, int at, double number)
{
    std::uint64_t value = Truncated(number);
    for (int i = kNumberBytes - 1; i >= 0; --i) {
        page[at + i] = static_cast<char>(value & 0xFF);
        value >>= kBitsPerByte;
    }
}
} // namespace

QByteArray CBlockBinder::PageHeader(double first, double last, std::uint16_t mask)
{
    QByteArray page(kPageSize, '\0');
    page[0] = static_cast<char>(kPageInUse);
    PutNumber(page, kFirstNumber, first);
    PutNumber(page, kLastNumber, last);
    page[kMaskByte] = static_cast<char>(mask >> kBitsPerByte);
    page[kMaskByte + 1] = static_cast<char>(mask & 0xFF);
    return page;
}

std::uint16_t CBlockBinder::FacilityMask(const std::array<std::uint8_t, 4>& selections)
{
    std::uint16_t mask = 0;
    for (std::uint8_t code : selections) {
        if (code >= 1 && code <= kHighestFacilityCode)
            mask = static_cast<std::uint16_t>(mask | (1u << (code - 1)));
    }
    return mask;
}

bool CBlockBinder::MarkCredential(QByteArray& page, double first, double number, bool valid, std::int32_t holder)
{
    const std::uint64_t base = Truncated(first);
    const std::uint64_t value = Truncated(number);
    // Past 1899 the bitmap and the holder table would run into the next page.
    if (value < base || value - base >= static_cast<std::uint64_t>(kNumbersPerBlock))
        return false;
    const int n = static_cast<int>(value - base);
    const int barredByte = kBarredStart + n / kBitsPerByte;
    const auto bit = static_cast<std::uint8_t>(kFirstBit >> (n % kBitsPerByte));
    auto byte = static_cast<std::uint8_t>(page[barredByte]);
    byte = valid ? static_cast<std::uint8_t>(byte & ~bit) : static_cast<std::uint8_t>(byte | bit);
    page[barredByte] = static_cast<char>(byte);
    page[kHolderStart + 2 * n] = static_cast<char>((holder >> kBitsPerByte) & 0xFF);
    page[kHolderStart + 2 * n + 1] = static_cast<char>(holder & 0xFF);
    return true;
}

QByteArray CBlockBinder::BuildPages(const std::vector<BlockRow>& blocks, const std::vector<CredentialRow>& credentials,
                                    int& refused)
{
    refused = 0;
    std::vector<QByteArray> pages;
    struct LiveBlock
    {
        std::size_t page;
        double begin;
        double end;
    };
    std::vector<LiveBlock> live;
    // A deleted row takes the next page; a live row fills the gap up to its
    // own page first, so page p belongs to the row whose AutoNumIndex is p + 1.
    for (const BlockRow& block : blocks) {
        if (block.deleted) {
            pages.push_back(EmptyPage());
            continue;
        }
        while (static_cast<std::int64_t>(pages.size()) < static_cast<std::int64_t>(block.autoNumIndex) - 1)
            pages.push_back(EmptyPage());
        live.push_back({pages.size(), block.begin, block.end});
        pages.push_back(PageHeader(block.begin, block.end, FacilityMask(block.facilityCodes)));
    }
    while (pages.size() < static_cast<std::size_t>(kPages))
        pages.push_back(EmptyPage());
    for (const LiveBlock& block : live) {
        for (const CredentialRow& credential : credentials) {
            if (credential.number < block.begin || credential.number > block.end)
                continue;
            if (!MarkCredential(pages[block.page], block.begin, credential.number, credential.valid,
                                credential.holder))
                ++refused;
        }
    }
    QByteArray file;
    file.reserve(static_cast<qsizetype>(pages.size()) * kPageSize);
    for (const QByteArray& page : pages)
        file.append(page);
    return file;
}

int CBlockBinder::WritePages(const QString& status, const std::vector<BlockRow>& blocks,
                             const std::vector<CredentialRow>& credentials, const char* credentialWord)
{
    BindProgress progress(BindProgress::Percent, QString::fromLatin1(kBindingDataCaption), status, kPages);
    int refused = 0;
    const QByteArray file = BuildPages(blocks, credentials, refused);
    progress.SetPos(kPages);
    if (!WriteBinderFile(file))
        return 0;
    if (refused > 0)
        ShowMessageBox(QStringLiteral("%1 not sent to the panels: %2. Each lies more than %3 numbers above the "
                                      "first number of its block.")
                           .arg(QLatin1String(credentialWord))
                           .arg(refused)
                           .arg(kNumbersPerBlock - 1),
                       MbButtons::Ok, MbIcon::Exclamation);
    return 1;
}

int CBlockBinder::IsNetworkQueued(const std::uint8_t* net)
{
    IBindDocument* doc = GetBindDocument();
    if (!net || !doc)
        return 0;
    for (int node = 1; node <= CNetCommandQueue::kNodes; ++node) {
        const CNetQueueNode* entry = doc->NetQueue().GetNode(*net, node);
        if (entry && entry->GetState() == CNetQueueNode::InService && entry->HasPending())
            return 1;
    }
    return 0;
}
