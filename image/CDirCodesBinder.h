#pragma once

#include "database/CSetPhoneEntries.h"
#include "image/BindingLog.h"
#include "image/CPagedBinder.h"
#include "image/DirectoryWorkArea.h"

#include <QByteArray>

#include <vector>

// Writes "DirCodes.dat" (bank 2), the telephone-entry directory: one 52-byte
// record per directory code at the record number equal to the code, each
// linked to the next and previous entry in tenant-name order, so a panel can
// dial a keyed code and scroll the directory by name.
class CDirCodesBinder : public CPagedBinder
{
public:
    static constexpr int kRecordSize = 52;
    static constexpr int kRecords = 10000;
    static constexpr std::uint8_t kBank = 2;
    static constexpr std::uint8_t kAllSubsets = 0xFF;

    // One collected entry: the panel entry of its row, the group of rows that
    // share its cardholder and tenant name, and its record number once given.
    struct WorkRecord
    {
        CSetPhoneEntries::PanelEntry entry{};
        int group = -1;
        int number = -1;
    };
    // The collected entries and, per cardholder-and-name group, the
    // directory codes of its rows in table order (-1 for a code that is not
    // a number from 0 to 9999).
    struct DirectoryWork
    {
        std::vector<WorkRecord> records;
        std::vector<std::vector<int>> codes;
    };

    using CPagedBinder::CPagedBinder;

    // Binds into the run's directory work area.
    int Bind() override;
    QString FileName() const override { return QStringLiteral("DirCodes.dat"); }
    std::uint8_t Bank() const override { return kBank; }
    int UnitSize() const override { return kRecordSize; }

    // The phone number a record's 16-byte phone field holds.
    static QString FormatDirectoryPhone(const QByteArray& field);

    // Collects the entry of every row of a cardholder whose subsets share a
    // bit with mask; returns how many.
    static int CollectDirectoryEntries(DirectoryWork& work, std::uint8_t mask, const BindLog& log);
    // Tenant-name order; ignoreCase compares ASCII letters as small ones.
    static void SortDirectoryEntries(DirectoryWork& work, bool ignoreCase);
    // Gives each entry, in order, the first free code of its group's rows;
    // an entry left without one is dropped and logged.
    static void AssignDirectorySlots(DirectoryWork& work, const BindLog& log);
    // Links the numbered entries in order, the last back to the first, and
    // lays them out as the 10000-record file.
    static QByteArray LayOutDirectory(DirectoryWork& work);

    static int CompareDirectoryNames(const CSetPhoneEntries::PanelEntry& a, const CSetPhoneEntries::PanelEntry& b,
                                     bool ignoreCase);

private:
    QByteArray BuildDirectory(DirectoryWorkArea& area, bool ignoreCase);
};
