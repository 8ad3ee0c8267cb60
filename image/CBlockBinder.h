#pragma once

#include "image/CPagedBinder.h"

#include <QByteArray>

#include <array>
#include <vector>

// What the two block-credential binders share: one 4082-byte page per block
// row with the block's range, facility codes, barred bitmap and the holder of
// each of its numbers. The pages are built in memory and written once.
class CBlockBinder : public CPagedBinder
{
public:
    static constexpr int kPageSize = 4082;
    static constexpr int kPages = 24;
    static constexpr int kNumbersPerBlock = 1900;
    static constexpr int kHeaderSize = 44;
    static constexpr int kBarredStart = 44;
    static constexpr int kHolderStart = 282;
    static constexpr std::uint8_t kPageInUse = 0xA0;
    static constexpr char kUnusedByte = '\xFF';

    struct BlockRow
    {
        std::int32_t autoNumIndex = 0;
        double begin = 0;
        double end = 0;
        bool deleted = false;
        std::array<std::uint8_t, 4> facilityCodes{};
    };
    struct CredentialRow
    {
        double number = 0;
        bool valid = true; // neither lost nor suspended
        std::int32_t holder = 0;
    };

    using CPagedBinder::CPagedBinder;

    int UnitSize() const override { return kPageSize; }

    // A page in use for first..last (40-bit numbers) and the facility-code
    // mask, with nothing barred and no holders.
    static QByteArray PageHeader(double first, double last, std::uint16_t mask);
    static QByteArray EmptyPage() { return QByteArray(kPageSize, kUnusedByte); }
    // Bit s-1 for each selected facility code s of 1-16.
    static std::uint16_t FacilityMask(const std::array<std::uint8_t, 4>& selections);
    // Marks the credential at offset (number - first) of the page: barred
    // unless valid, held by holder. False, writing nothing, for an offset
    // outside the block's 1900 numbers.
    static bool MarkCredential(QByteArray& page, double first, double number, bool valid, std::int32_t holder);
    // The whole file from the block rows (in AutoNumIndex order) and every
    // credential; refused counts the credentials that lie past their block's
    // 1900 numbers.
    static QByteArray BuildPages(const std::vector<BlockRow>& blocks, const std::vector<CredentialRow>& credentials,
                                 int& refused);

    // Whether any node 1-8 of the network has an in-memory command waiting
    // in the open installation's queue. Asking takes nothing from the queue.
    static int IsNetworkQueued(const std::uint8_t* net);

protected:
    // Writes the file; says how many credentials were refused, naming them
    // with credentialWord ("Cards", "Transmitters").
    int WritePages(const QString& status, const std::vector<BlockRow>& blocks,
                   const std::vector<CredentialRow>& credentials, const char* credentialWord);
};
