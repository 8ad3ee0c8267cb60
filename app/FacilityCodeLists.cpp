#include "app/FacilityCodeLists.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/Formatting.h"
#include "database/GlobalRecordsets.h"

namespace {

enum class CodeKind { Card, Transmitter };

template <typename Set>
std::array<std::uint8_t, 4> Selections(const Set& set)
{
    return {set.m_FacCode_Sel_A, set.m_FacCode_Sel_B, set.m_FacCode_Sel_C, set.m_FacCode_Sel_D};
}

QString FormatSelected(const std::array<std::uint8_t, 4>& selections, CodeKind kind)
{
    CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return QString();
    return FormatFacilityCodeSelections(selections, [doc, kind](int code) {
        std::uint16_t value = 0;
        if (kind == CodeKind::Card)
            doc->CardFacilityCode(value, code, 1);
        else
            doc->XmtrFacilityCode(value, code, 1);
        return static_cast<int>(value);
    });
}

} // namespace

QString FormatXmtrBlockFacCodes()
{
    return FormatSelected(Selections(g_setTransmitterBlocks), CodeKind::Transmitter);
}

QString FormatXmtrFacCodes()
{
    return FormatSelected(Selections(g_setSingleXmtr), CodeKind::Transmitter);
}

QString FormatCardFacCodes()
{
    return FormatSelected(Selections(g_setSingleCard), CodeKind::Card);
}

QString FormatCardBlockFacCodes()
{
    return FormatSelected(Selections(g_setCardBlocks), CodeKind::Card);
}
