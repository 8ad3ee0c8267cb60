#include "config/NodeVersionText.h"

namespace {

constexpr int kMinorDigits = 2;
constexpr int kHex = 16;

} // namespace

QString FirmwareLine(int major, int minor)
{
    return QStringLiteral("Firmware: ") + QString::number(major) + QLatin1Char('.')
           + QStringLiteral("%1").arg(minor, kMinorDigits, kHex, QLatin1Char('0'));
}
