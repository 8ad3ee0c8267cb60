#include "database/OperatorFileCipher.h"

#include <QList>

#include <array>
#include <cstdint>

namespace {

constexpr std::array<std::uint32_t, 10> kScrambleKeys = {0x3B, 0x71, 0x2D, 0x95, 0x0E, 0xC4, 0x58, 0xA7, 0x1F, 0x63};
constexpr std::uint32_t kScrambleConstant = 0x1D;
// The key selector starts at 0 and is never advanced, so entry 0 serves every
// byte; files already written depend on that.
constexpr std::size_t kKeySelector = 0;

const QByteArray kOperatorSectionStart = QByteArrayLiteral("[operator");

// Each byte moves by the low 8 bits of a running value that grows before
// every byte; sign +1 scrambles, -1 unscrambles (both modulo 256).
QByteArray Shift(const QByteArray& in, int sign)
{
    QByteArray out(in.size(), Qt::Uninitialized);
    std::uint32_t running = 0;
    for (qsizetype i = 0; i < in.size(); ++i) {
        running += kScrambleKeys[kKeySelector] + kScrambleConstant;
        const auto offset = static_cast<std::uint8_t>(running & 0xFF);
        const auto byte = static_cast<std::uint8_t>(in[i]);
        out[i] = static_cast<char>(static_cast<std::uint8_t>(sign > 0 ? byte + offset : byte - offset));
    }
    return out;
}

} // namespace

QByteArray ScrambleOperatorBytes(const QByteArray& plain)
{
    return Shift(plain, +1);
}

QByteArray UnscrambleOperatorBytes(const QByteArray& scrambled)
{
    return Shift(scrambled, -1);
}

bool IsPlainOperatorText(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& line : lines) {
        if (line.trimmed().toLower().startsWith(kOperatorSectionStart))
            return true;
    }
    return false;
}
