#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Card blocks: ranges of card numbers, both ends included.
class CSetCardBlocks : public CSetBase
{
public:
    CSetCardBlocks();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // Leaves the recordset on the first block whose range holds the number,
    // trying the current row first; FALSE past the last row when none does.
    bool FindBlockContaining(double number);
    // Sets the filter, or the sort, then opens or requeries.
    void OpenFiltered(const QString& filter);
    void OpenSorted(const QString& sort);

    std::int32_t m_AutoNumIndex = 0;
    double m_BlockBegin = 0.0;
    double m_BlockEnd = 0.0;
    QString m_BlockName;
    bool m_Deleted = false;
    std::uint8_t m_FacCode_Sel_A = 0;
    std::uint8_t m_FacCode_Sel_B = 0;
    std::uint8_t m_FacCode_Sel_C = 0;
    std::uint8_t m_FacCode_Sel_D = 0;
};
