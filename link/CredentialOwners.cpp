#include "link/CredentialOwners.h"

#include "common/Formatting.h"
#include "database/GlobalRecordsets.h"
#include "platform/JetSql.h"

namespace {

template <typename Set>
std::optional<std::int32_t> OwnerOf(Set& set, const char* field, std::int32_t Set::*owner, const QString& value)
{
    if (!set.IsOpen() || !set.FindFirst(QLatin1String(field) + QStringLiteral(" = ") + value))
        return std::nullopt;
    return set.*owner;
}

QString Number(std::uint64_t number)
{
    return FormatWholeNumber(static_cast<double>(number));
}

} // namespace

namespace CredentialOwners {

std::optional<std::int32_t> BlockTransmitter(std::uint64_t number)
{
    return OwnerOf(g_setTransmitters, "XmtrID", &CSetTransmitters::m_UserID, Number(number));
}

std::optional<std::int32_t> BlockCard(std::uint64_t number)
{
    return OwnerOf(g_setCards, "CardID", &CSetCards::m_UserID, Number(number));
}

std::optional<std::int32_t> SingleTransmitter(std::uint64_t number)
{
    return OwnerOf(g_setSingleXmtr, "XmtrIDSingle", &CSetSingleXmtr::m_UserIDSingle, Number(number));
}

std::optional<std::int32_t> SingleCard(std::uint64_t number)
{
    return OwnerOf(g_setSingleCard, "CardIDSingle", &CSetSingleCard::m_UserIDSingle, Number(number));
}

std::optional<std::int32_t> EntryCode(const QString& digits)
{
    return OwnerOf(g_setEntryCodes, "Code", &CSetEntryCodes::m_UserID, JetSql::QuoteText(digits));
}

} // namespace CredentialOwners
