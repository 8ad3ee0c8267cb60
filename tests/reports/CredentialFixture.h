#pragma once

#include "app/CColumnWidths.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportList.h"
#include "tests/reports/ReportFixture.h"

#include <QStringList>

// The demo installation with its cardholders, sets and credentials emptied,
// rows to add, and a report list to read back.
class CredentialFixture : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        for (Recordset* set : SharedSets())
            DeleteAllRows(*set);
    }

    // The recordsets the credential and code reports read.
    static std::vector<Recordset*> SharedSets()
    {
        return {&g_setTransmitters, &g_setSingleXmtr, &g_setCards,      &g_setSingleCard, &g_setUsers,
                &g_setUserGroups,   &g_setEntryCodes, &g_setPhoneEntries, &g_setTransmitterBlocks, &g_setCardBlocks};
    }

    static void RequeryAll()
    {
        for (Recordset* set : SharedSets())
            set->Requery();
    }

    struct Holder
    {
        std::int32_t id;
        QString first;
        QString last;
        int set;
        bool got = true;
        bool deleted = false;
    };
    static void AddHolder(const Holder& h)
    {
        CSetUsers& u = g_setUsers;
        u.AddNew();
        u.m_UserID = h.id;
        u.m_FirstName = h.first;
        u.m_LastName = h.last;
        u.m_CHSetIndex = static_cast<std::uint8_t>(h.set);
        u.m_GotTransmitters = u.m_GotCards = u.m_GotEntryCodes = u.m_GotPhoneEntryNumbers = h.got;
        u.m_Deleted = h.deleted;
        u.Update();
    }
    static void AddSet(int index, const QString& name, bool suspend = false, bool deleted = false)
    {
        CSetUserGroups& g = g_setUserGroups;
        g.AddNew();
        g.m_CHSetIndex = static_cast<std::uint8_t>(index);
        g.m_CHSetName = name;
        g.m_Suspend = suspend;
        g.m_Deleted = deleted;
        g.Update();
    }

    QStringList Row(int row) const
    {
        QStringList cells;
        for (int column = 0; column < kReportCells; ++column)
            cells << list.Model().Cell(row, column);
        return cells;
    }
    QStringList Column(int column) const
    {
        QStringList cells;
        for (int row = 0; row < list.Model().RowCount(); ++row)
            cells << list.Model().Cell(row, column);
        return cells;
    }

    CColumnWidths widths;
    ReportList list{widths};
};
