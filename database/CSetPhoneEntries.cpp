#include "database/CSetPhoneEntries.h"

#include "database/DatabaseFiles.h"

#include <QByteArray>

#include <algorithm>

CSetPhoneEntries::CSetPhoneEntries()
    : CSetBase(DatabaseFiles::EntryNumbers)
{
}

QString CSetPhoneEntries::GetDefaultSQL() const
{
    return QStringLiteral("[EntryNumbers]");
}

void CSetPhoneEntries::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("DirectoryCode"), m_DirectoryCode);
    fx.Long(QStringLiteral("EntryNumberID"), m_EntryNumberID);
    fx.Bool(QStringLiteral("ExtendedTalkTime"), m_ExtendedTalkTime);
    fx.Text(QStringLiteral("PhoneNumber"), m_PhoneNumber);
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Long(QStringLiteral("EEAddress"), m_EEAddress);
    fx.Long(QStringLiteral("BackLink"), m_BackLink);
    fx.Long(QStringLiteral("ForwardLink"), m_ForwardLink);
    fx.Text(QStringLiteral("UserDirectoryCode"), m_UserDirectoryCode);
    fx.Bool(QStringLiteral("SubsetA"), m_SubsetA);
    fx.Bool(QStringLiteral("SubsetB"), m_SubsetB);
    fx.Bool(QStringLiteral("SubsetC"), m_SubsetC);
    fx.Bool(QStringLiteral("SubsetD"), m_SubsetD);
    fx.Bool(QStringLiteral("SubsetE"), m_SubsetE);
    fx.Bool(QStringLiteral("SubsetF"), m_SubsetF);
    fx.Bool(QStringLiteral("SubsetG"), m_SubsetG);
    fx.Bool(QStringLiteral("SubsetH"), m_SubsetH);
    fx.Text(QStringLiteral("TenantName"), m_TenantName);
}

namespace
{
constexpr int kCodeOffset = 0;
constexpr int kFlagsOffset = 4;
constexpr int kPhoneLengthOffset = 5;
constexpr int kUnsetFirst = 6;
constexpr int kUnsetEnd = 10;
constexpr int kUserHighOffset = 10;
constexpr int kUserLowOffset = 11;
constexpr int kPhoneOffset = 12;
constexpr int kPhoneWidth = 16;
constexpr int kNameOffset = 28;
constexpr int kNameWidth = 24;
constexpr int kSubsetOffset = 52;

constexpr std::uint8_t kFlagAlways = 0x80 | 0x40;
constexpr std::uint8_t kFlagExtendedTalkTime = 0x20;
constexpr std::uint8_t kLowSubsets = 0x0F;
constexpr char kPhoneFill = '*';
constexpr char kNameFill = ' ';
constexpr int kBitsPerByte = 8;
constexpr std::uint32_t kByteMask = 0xFF;
} // namespace

std::uint8_t CSetPhoneEntries::GetSubsetMask() const
{
    const bool subsets[] = {m_SubsetA, m_SubsetB, m_SubsetC, m_SubsetD, m_SubsetE, m_SubsetF, m_SubsetG, m_SubsetH};
    std::uint8_t mask = 0;
    for (int bit = 0; bit < kBitsPerByte; ++bit)
        if (subsets[bit])
            mask |= static_cast<std::uint8_t>(1U << bit);
    return mask;
}

void CSetPhoneEntries::BuildPanelEntry(PanelEntry& entry) const
{
    // Bytes 6-9 carry nothing; they are cleared rather than left as the
    // caller's buffer held them, so the panel file never holds stale bytes.
    std::fill(entry.begin() + kUnsetFirst, entry.begin() + kUnsetEnd, std::uint8_t(0));
    const auto code = static_cast<std::uint32_t>(m_DirectoryCode) + 1U;
    for (int i = 0; i < 4; ++i)
        entry[kCodeOffset + i] = static_cast<std::uint8_t>((code >> (kBitsPerByte * i)) & kByteMask);
    entry[kSubsetOffset] = GetSubsetMask();
    entry[kFlagsOffset] = static_cast<std::uint8_t>(kFlagAlways | (m_ExtendedTalkTime ? kFlagExtendedTalkTime : 0)
                                                    | (entry[kSubsetOffset] & kLowSubsets));
    const QByteArray phone = m_PhoneNumber.toLatin1();
    const int length = static_cast<int>(phone.size());
    entry[kPhoneLengthOffset] = static_cast<std::uint8_t>(length & kByteMask);
    const auto user = static_cast<std::uint32_t>(m_UserID);
    entry[kUserHighOffset] = static_cast<std::uint8_t>((user >> kBitsPerByte) & kByteMask);
    entry[kUserLowOffset] = static_cast<std::uint8_t>(user & kByteMask);
    // Right-aligned: a longer number keeps its last sixteen characters.
    for (int i = 0; i < kPhoneWidth; ++i) {
        const int from = i - (kPhoneWidth - length);
        entry[kPhoneOffset + i] = static_cast<std::uint8_t>(from < 0 ? kPhoneFill : phone[from]);
    }
    const QByteArray name = m_TenantName.toLatin1();
    for (int i = 0; i < kNameWidth; ++i)
        entry[kNameOffset + i] = static_cast<std::uint8_t>(i < name.size() ? name[i] : kNameFill);
}
