#pragma once

#include "database/CSetBase.h"

#include <QStringList>

#include <QDateTime>
#include <QString>

#include <cstdint>

// The door validation groups, one row per group in group order.
class CSetDoorValGroup : public CSetBase
{
public:
    CSetDoorValGroup();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // Fills a list with "No access" or "Not assigned" and "All Access" in
    // place of the first row, then every further row's name (its row number
    // when the name is empty).
    void FillGroupList(QStringList& list, bool notAssigned);
    // Gives the current row's name and moves on; FALSE once no row is left
    // after it (or at once on an empty table).
    bool GetNextName(QString& name, bool fromFirst);

protected:
    explicit CSetDoorValGroup(const char* fileName);
    virtual QString AllAccessText() const;

public:
    std::int32_t m_ValidationGroupID = 0;
    std::uint8_t m_ValidationGroupNumber = 0;
    QString m_Name;
};
