#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

// One live event a panel reported in an event record. Built on the stack of
// the reply dispatch and valid only while it is handed to the right pane; a
// receiver copies what it keeps.
class CPanelEvent
{
public:
    virtual ~CPanelEvent() = default;
    CPanelEvent(const CPanelEvent&) = delete;
    CPanelEvent& operator=(const CPanelEvent&) = delete;

    // The activator text.
    virtual QString GetText() const { return m_activatorText; }
    virtual int GetDoorState() const { return 1; }
    virtual int GetDoorIndex() const { return 1; }

    // Low byte the event type; the next byte what the kind adds to it.
    std::uint32_t GetType() const { return m_type; }
    // Network times 16 plus node: the record's address byte again.
    std::uint8_t GetAddress() const { return static_cast<std::uint8_t>(m_network << 4 | m_node); }
    // The receive time through a strftime-style format, in local time.
    QString FormatTime(const char* format) const;
    // The monitor's row category: 0 normal, 1 alarm, 2 unknown credential,
    // 3 denied, 4 time-zone timing.
    int GetCategory() const;
    QString GetDoorText() const { return m_doorText; }
    QString GetEventText() const { return m_eventText; }

    // Offsets into an event record, counted from its address byte.
    static constexpr int kAddressByte = 0;
    static constexpr int kTypeByte = 2;
    static constexpr int kDoorByte = 3;
    static constexpr int kStateByte = 4;
    static constexpr int kRelayByte = 5;
    static constexpr int kCredentialByte = 7;
    static constexpr int kCardholderByte = 9;
    static constexpr int kStatusByte = 10;
    // The shortest record every kind can read.
    static constexpr int kRecordSize = 11;

protected:
    CPanelEvent(std::uint32_t type, std::uint8_t network, std::uint8_t node);

    static std::uint8_t Byte(const QByteArray& record, int index)
    {
        return static_cast<std::uint8_t>(record[index]);
    }
    static std::uint8_t NetworkOf(const QByteArray& record) { return Byte(record, kAddressByte) >> 4; }
    static std::uint8_t NodeOf(const QByteArray& record) { return Byte(record, kAddressByte) & 0x0F; }
    // Type byte plus the byte that qualifies it, at 256.
    static std::uint32_t TypeValue(const QByteArray& record, int qualifier)
    {
        return Byte(record, kTypeByte) + Byte(record, qualifier) * 256u;
    }
    static std::uint16_t CardholderOf(const QByteArray& record)
    {
        return static_cast<std::uint16_t>(Byte(record, kCardholderByte) << 8 | Byte(record, kCardholderByte + 1));
    }

    // The credential number: bytes 7 to 10, most significant first.
    static std::uint32_t CredentialOf(const QByteArray& record);
    // The entry-code digits of bytes 7 to 10, high nibble first; nibble 15 is no digit.
    static QString EntryCodeDigits(const QByteArray& record);

    QDateTime m_received;
    std::uint32_t m_type;
    std::uint8_t m_doorState = 0;
    std::uint8_t m_network;
    std::uint8_t m_node;
    QString m_doorText;
    QString m_eventText;
    QString m_activatorText;
};
