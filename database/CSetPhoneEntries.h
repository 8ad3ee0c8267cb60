#pragma once

#include "database/CSetBase.h"

#include <array>

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per telephone-directory entry.
class CSetPhoneEntries : public CSetBase
{
public:
    CSetPhoneEntries();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    static constexpr int kPanelEntrySize = 53;
    using PanelEntry = std::array<std::uint8_t, kPanelEntrySize>;

    // SubsetA..SubsetH of the current row as bits 0..7.
    std::uint8_t GetSubsetMask() const;
    // The panel's directory entry built from the current row.
    void BuildPanelEntry(PanelEntry& entry) const;

    std::int32_t m_DirectoryCode = 0;
    std::int32_t m_EntryNumberID = 0;
    bool m_ExtendedTalkTime = false;
    QString m_PhoneNumber;
    std::int32_t m_UserID = 0;
    std::int32_t m_EEAddress = 0;
    std::int32_t m_BackLink = 0;
    std::int32_t m_ForwardLink = 0;
    QString m_UserDirectoryCode;
    bool m_SubsetA = false;
    bool m_SubsetB = false;
    bool m_SubsetC = false;
    bool m_SubsetD = false;
    bool m_SubsetE = false;
    bool m_SubsetF = false;
    bool m_SubsetG = false;
    bool m_SubsetH = false;
    QString m_TenantName;
};
