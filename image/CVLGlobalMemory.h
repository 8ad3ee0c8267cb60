#pragma once

#include "image/CVLMemory.h"

// The settings every controller of the installation shares, kept in
// "GlobalSettings.dat" and merged into each controller's image before
// programming. Accessors read into the value when get is non-zero and write
// the value otherwise; an index outside its table does nothing and gives false.
class CVLGlobalMemory : public CVLMemory
{
public:
    enum FacilityKind { CardFacility = 0, TransmitterFacility = 1 };

    void ExchangeDirectoryBeginsAtMiddle(bool& value, int get);
    void ExchangeTalkTime(std::uint8_t& value, int get);
    void ExchangeDirCodeLength(std::uint8_t& value, int get);
    void ExchangePbxDigit(std::uint8_t& value, int get);
    void ExchangePostKeyChannel(std::uint8_t& value, int get);
    bool ExchangeTransmitterFacilityCode(int index, std::uint16_t& code, int get);
    bool ExchangeCardFacilityCode(int index, std::uint16_t& code, int get);
    // The code at the lowest set bit of mask: card codes for kind 0, else
    // transmitter codes; 0 when no bit is set.
    std::uint16_t GetFacilityCodeByMask(std::uint16_t mask, int kind) const;
    // Minutes since midnight of the first downlight entry.
    void ExchangeDownlightTime(std::uint16_t& onTime, std::uint16_t& offTime, int get);
    bool ExchangeHoliday(int index, std::uint8_t& month, std::uint8_t& day, int get);
    bool ExchangeExpiringHoliday(int index, std::uint8_t& month, std::uint8_t& day, std::uint8_t& year, int get);

    QString FormatHoliday(int index) const;
    QString FormatExpiringHoliday(int index) const;

    bool LoadGlobalSettings(const QString& controllerFolder);

    // 1 when changes are to be saved. With ask, each changed group is asked
    // about once; No puts that group back as it was loaded or saved.
    int CheckSettingsChanged(int ask);
    bool CompareCardholderSets() const;
    void RestoreCardholderSets();

    // Order in which the panel walks the starts and ends of the time-zone periods.
    int TransitionKey(int entry) const;
    void BuildTransitionOrder();
};
