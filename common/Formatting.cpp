#include "common/Formatting.h"

#include "common/NetworkGrid.h"

#include <QStringList>

#include <cmath>

namespace {

constexpr int kRelayModules = 4;
constexpr int kRelaysPerModule = 6;
constexpr int kRelayBits = kRelayModules * kRelaysPerModule;
constexpr int kRelayLabelBits = 31;
constexpr int kMaskBits = 16;

// One module's number (1-4) when every set bit lies in it, else 0.
int SingleModule(std::uint32_t mask)
{
    int module = 0;
    for (int bit = 0; bit < kRelayBits; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        const int m = bit / kRelaysPerModule + 1;
        if (module != 0 && module != m)
            return 0;
        module = m;
    }
    return module;
}

// "1,3" within one module, "M1-1,M2-1" across modules; empty for no bit.
QString RelayList(std::uint32_t mask, bool withinModule)
{
    QStringList names;
    for (int bit = 0; bit < kRelayBits; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        const int relay = bit % kRelaysPerModule + 1;
        names << (withinModule ? QString::number(relay)
                               : QStringLiteral("M%1-%2").arg(bit / kRelaysPerModule + 1).arg(relay));
    }
    return names.join(QLatin1Char(','));
}

} // namespace

QString FormatWholeNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const QString digits = QString::number(std::round(std::fabs(value)), 'f', 0);
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

std::uint64_t PackBigEndian(std::span<const std::uint8_t> bytes)
{
    std::uint64_t value = 0;
    for (std::uint8_t b : bytes)
        value = value << 8 | b;
    return value;
}

std::uint16_t SwapBytes16(std::uint16_t value)
{
    return static_cast<std::uint16_t>(value << 8 | value >> 8);
}

std::uint16_t SwapBytes16b(std::uint16_t value)
{
    return SwapBytes16(value);
}

std::uint16_t MakeBitMask(int bit1, int bit2, int bit3, int bit4)
{
    std::uint16_t mask = 0;
    for (int bit : {bit1, bit2, bit3, bit4}) {
        if (bit >= 1 && bit <= kMaskBits)
            mask |= static_cast<std::uint16_t>(1u << (bit - 1));
    }
    return mask;
}

QString FormatValueList(const std::array<std::optional<int>, 4>& values)
{
    QStringList present;
    for (const auto& v : values) {
        if (v)
            present << QString::number(*v);
    }
    return present.join(QStringLiteral(", "));
}

QString FormatFacilityCodeSelections(const std::array<std::uint8_t, 4>& selections,
                                     const std::function<int(int code)>& codeValue)
{
    std::array<std::optional<int>, 4> values;
    for (std::size_t i = 0; i < selections.size(); ++i) {
        const int s = selections[i];
        if (s >= 1 && s <= kFacilityCodeCount)
            values[i] = codeValue(s - 1);
    }
    return FormatValueList(values);
}

QString FormatModuleRelays(std::uint8_t low, std::uint8_t middle, std::uint8_t high)
{
    const std::uint32_t mask = static_cast<std::uint32_t>(high) << 16 | static_cast<std::uint32_t>(middle) << 8 | low;
    const int module = SingleModule(mask);
    const QString caption = module ? QStringLiteral("Tovix Mod%1 relays:").arg(module) : QStringLiteral("Tovix relays: ");
    const QString list = RelayList(mask, module != 0);
    return QStringLiteral("%1 %2").arg(caption, list.isEmpty() ? QStringLiteral("none") : list);
}

QString FormatModuleRelaysShort(std::uint32_t mask)
{
    const QString list = RelayList(mask, SingleModule(mask) != 0);
    if (list.isEmpty())
        return QStringLiteral("none");
    const int module = SingleModule(mask);
    const QString caption = module ? QStringLiteral("Mod%1:").arg(module) : QStringLiteral("Tovix: ");
    return QStringLiteral("%1 %2").arg(caption, list);
}

QString FormatRelayLabels(std::uint32_t mask)
{
    QStringList labels;
    for (int bit = 0; bit < kRelayLabelBits; ++bit) {
        if (mask & (1u << bit))
            labels << QString::number(bit + 1);
    }
    return labels.isEmpty() ? QStringLiteral("none") : labels.join(QLatin1Char(','));
}

QChar GetNetworkLetter(std::uint8_t address)
{
    const int network = address >> 4;
    return network >= 1 && network <= kNetworkCount ? QChar(u'@' + network) : QLatin1Char('?');
}

QString FormatNodeName(std::uint8_t address)
{
    return QStringLiteral("%1%2").arg(GetNetworkLetter(address)).arg(address & 0x0F);
}
