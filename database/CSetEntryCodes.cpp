#include "database/CSetEntryCodes.h"

#include "database/DatabaseFiles.h"

CSetEntryCodes::CSetEntryCodes()
    : CSetBase(DatabaseFiles::EntryCodes)
{
}

QString CSetEntryCodes::GetDefaultSQL() const
{
    return QStringLiteral("[EntryCodes]");
}

void CSetEntryCodes::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("EntryCodeID"), m_EntryCodeID);
    fx.Text(QStringLiteral("Code"), m_Code);
    fx.Bool(QStringLiteral("Suspended"), m_Suspended);
    fx.Bool(QStringLiteral("Hidden"), m_Hidden);
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Bool(QStringLiteral("Deleted"), m_Deleted);
    fx.Double(QStringLiteral("dCode"), m_dCode);
    fx.Byte(QStringLiteral("CHSet"), m_CHSet);
}

namespace
{
constexpr int kBitsPerDigit = 4;
constexpr std::uint64_t kAllBitsSet = ~std::uint64_t(0);
} // namespace

std::optional<double> CSetEntryCodes::GetCodeValue() const
{
    return CodeValueOf(m_Code);
}

std::optional<double> CSetEntryCodes::CodeValueOf(const QString& code)
{
    if (code.size() > kMaxCodeDigits)
        return std::nullopt;
    std::uint64_t packed = kAllBitsSet;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        packed = (packed << kBitsPerDigit) | static_cast<std::uint64_t>(c.unicode() - u'0');
    }
    return static_cast<double>(static_cast<std::int64_t>(packed));
}

QString CSetEntryCodes::GetDisplayCode() const
{
    return m_Hidden ? QString(m_Code.size(), QLatin1Char('#')) : m_Code;
}
