#pragma once

#include "image/CVLFileMemory.h"

using ObstacleRecord = std::array<std::uint8_t, VLLayout::kObstacles.size>;

// The settings image of one controller as the node editors change it.
// Exchange accessors read into the value when get is non-zero and write the
// value otherwise; an index outside its table does nothing and gives false.
class CVLControllerMemory : public CVLFileMemory
{
public:
    // "0.01" for the bytes "001".
    QString GetFirmwareVersion() const;

    void ExchangeKeypadStrikes(std::uint8_t& value, int get);
    void ExchangeDoorAjarTime(std::uint8_t& value, int get);
    // The low four bits only; the others are kept.
    void ExchangeRadioDirection(std::uint8_t& value, int get);
    // Too long a password is refused with a message and changes nothing.
    bool ExchangeRemotePassword(QString& text, int get);
    bool ExchangePriorityPassword(QString& text, int get);
    bool ExchangeModemString(int index, QString& text, int get);

    void SetRelayFlags(std::uint8_t value);
    // Modes 0-3.
    bool ExchangeRelayTimingMode(int relay, int& mode, int get);
    bool ExchangeRelayOperation(int relay, std::uint8_t& value, int get);
    bool ExchangeRelayPhoneDigit(int relay, std::uint8_t& value, int get);
    bool ExchangeRelayExtra(int relay, std::uint8_t& value, int get);
    bool ExchangeRelayActivationTime(int relay, std::uint16_t& value, int get);
    bool ExchangeRelayTimeZone(int relay, int index, std::uint8_t& zone, int get);

    bool ExchangeObstacleBlock(int index, ObstacleRecord& record, int get);
    void ExchangeNetworkAddress(std::uint8_t& value, int get);
    bool ExchangeDeviceName(int device, QString& text, int get);
    void ExchangePriorityDoors(std::uint8_t mask, bool& value, int get);
    bool ExchangeDirectoryName(int index, QString& text, int get);
    void ExchangeDirectorySubsets(std::uint8_t mask, bool& value, int get);

    void ClearTovixAddresses();
    // Modules 8-11; others are ignored.
    bool SetTovixAddress(int module, std::uint8_t address);
    void ExchangeTovixActivationTime(std::uint8_t& value, int get);

    // 1 when a change is to be saved. With ask, the first changed group is
    // asked about: Yes ends the check, No puts the group back and goes on.
    int ExchangeSettingsChanged(int ask);

private:
    bool ExchangePassword(int offset, int length, QString& text, int get, const char* tooLong);
    bool RelayOffset(int relay, int field, int& offset) const;
};
