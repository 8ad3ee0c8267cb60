#include "link/CPanelEvent.h"

#include "link/PanelEventTypes.h"
#include "platform/Clock.h"

#include <ctime>

namespace {

enum Category { Normal = 0, Alarm = 1, UnknownCredential = 2, Denied = 3, TimeZoneTiming = 4 };
constexpr std::size_t kTimeTextSize = 128;
constexpr int kCredentialSize = 4;
constexpr std::uint8_t kNoDigit = 0x0F;
} // namespace

CPanelEvent::CPanelEvent(std::uint32_t type, std::uint8_t network, std::uint8_t node)
    : m_received(Clock::Current().NowLocal()), m_type(type), m_network(network), m_node(node)
{
}

QString CPanelEvent::FormatTime(const char* format) const
{
    const QDateTime local = m_received;
    std::tm parts{};
    parts.tm_year = local.date().year() - 1900;
    parts.tm_mon = local.date().month() - 1;
    parts.tm_mday = local.date().day();
    parts.tm_hour = local.time().hour();
    parts.tm_min = local.time().minute();
    parts.tm_sec = local.time().second();
    parts.tm_wday = local.date().dayOfWeek() % 7;
    parts.tm_yday = local.date().dayOfYear() - 1;
    char text[kTimeTextSize] = {};
    const std::size_t length = std::strftime(text, sizeof text, format, &parts);
    return QString::fromLocal8Bit(text, static_cast<qsizetype>(length));
}

std::uint32_t CPanelEvent::CredentialOf(const QByteArray& record)
{
    std::uint32_t value = 0;
    for (int i = kCredentialByte; i < kCredentialByte + kCredentialSize; ++i)
        value = value << 8 | Byte(record, i);
    return value;
}

QString CPanelEvent::EntryCodeDigits(const QByteArray& record)
{
    QString digits;
    for (int i = kCredentialByte; i < kCredentialByte + kCredentialSize; ++i) {
        for (const std::uint8_t nibble : {std::uint8_t(Byte(record, i) >> 4), std::uint8_t(Byte(record, i) & 0x0F)}) {
            if (nibble != kNoDigit)
                digits += QChar(u'0' + nibble);
        }
    }
    return digits;
}

int CPanelEvent::GetCategory() const
{
    switch (m_type & 0xFF) {
    case PanelEventType::Door:
        switch (m_doorState) {
        case 2:
        case 3:
        case 4:
            return Alarm;
        case 9:
        case 168:
        case 201:
            return TimeZoneTiming;
        default:
            return Normal;
        }
    case PanelEventType::DeniedTransmitter:
        return Denied;
    case PanelEventType::UnknownTransmitter:
        return UnknownCredential;
    case PanelEventType::Status:
    case PanelEventType::InOut:
        return Alarm;
    default:
        return Normal;
    }
}
