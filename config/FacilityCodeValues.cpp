#include "config/FacilityCodeValues.h"

#include "app/CWFDoc.h"

void FacilityCodeValues::Load(CWFDoc& doc)
{
    for (int i = 0; i < kCodes; ++i) {
        doc.CardFacilityCode(card[i], i, 1);
        doc.XmtrFacilityCode(transmitter[i], i, 1);
    }
}

void FacilityCodeValues::Store(CWFDoc& doc) const
{
    for (int i = 0; i < kCodes; ++i) {
        std::uint16_t code = card[i];
        doc.CardFacilityCode(code, i, 0);
    }
    for (int i = 0; i < kCodes; ++i) {
        std::uint16_t code = transmitter[i];
        doc.XmtrFacilityCode(code, i, 0);
    }
}
