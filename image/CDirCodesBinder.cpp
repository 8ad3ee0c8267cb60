#include "image/CDirCodesBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "image/CBindManager.h"
#include "image/IBindDocument.h"
#include "platform/DatabaseException.h"
#include "platform/TextCollation.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kEntryRecordStart = 4; // the entry's bytes 4-52 are the record's 0-48
constexpr int kNextLink = 6;
constexpr int kPreviousLink = 8;
constexpr int kHolderHigh = 10;
constexpr int kHolderLow = 11;
constexpr int kNameStart = 28;
constexpr int kNameWidth = 24;
constexpr int kSubsetByte = 52;
// The name, the subset byte and the terminating zero compare as one text.
constexpr int kSortTextLength = kNameWidth + 2;
constexpr char kPhoneFill = '*';
// The work area: three words, settings the index leaves alone, two tables.
constexpr int kWordsLength = 6;
constexpr int kTablesStart = 18;

struct GroupKey
{
    std::int32_t holder;
    QByteArray name;
};

// Cardholder, then the name as the database compares text.
struct GroupOrder
{
    bool operator()(const GroupKey& a, const GroupKey& b) const
    {
        if (a.holder != b.holder)
            return a.holder < b.holder;
        return CompareJetText(static_cast<int>(a.name.size()), a.name.constData(), static_cast<int>(b.name.size()),
                              b.name.constData()) < 0;
    }
};

void Log(const BindLog& log, const QString& text)
{
    if (log)
        log(text);
}

void PutBigWord(CSetPhoneEntries::PanelEntry& entry, int at, int value)
{
    entry[at] = static_cast<std::uint8_t>(value >> 8);
    entry[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t Folded(std::uint8_t c, bool ignoreCase)
{
    return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<std::uint8_t>(c - 'A' + 'a') : c;
}

} // namespace

QString CDirCodesBinder::FormatDirectoryPhone(const QByteArray& field)
{
    QString phone;
    for (const char c : field)
        if (c != kPhoneFill)
            phone.append(QLatin1Char(c));
    return phone;
}

int CDirCodesBinder::CollectDirectoryEntries(DirectoryWork& work, std::uint8_t mask, const BindLog& log)
{
    work = {};
    std::map<GroupKey, int, GroupOrder> groups;
    ReadAllRows(g_setPhoneEntries, QStringLiteral("UserID <> 0"), [&](const CSetPhoneEntries& set) {
        // Rows are matched to their entry by cardholder and the name as the
        // entry holds it, never through SQL built from the name.
        const GroupKey key{set.m_UserID, set.m_TenantName.left(kNameWidth).toUtf8()};
        auto [at, made] = groups.try_emplace(key, static_cast<int>(work.codes.size()));
        if (made)
            work.codes.emplace_back();
        bool ok = false;
        const int code = set.m_UserDirectoryCode.trimmed().toInt(&ok, 10);
        const bool valid = ok && code >= 0 && code < kRecords;
        if (!valid)
            Log(log, QStringLiteral("Directory code \"%1\" of %2 (cardholder %3) is not a number from 0 to %4.")
                         .arg(set.m_UserDirectoryCode, set.m_TenantName, QString::number(set.m_UserID),
                              QString::number(kRecords - 1)));
        work.codes[at->second].push_back(valid ? code : -1);
        if ((set.GetSubsetMask() & mask) == 0)
            return;
        WorkRecord record;
        set.BuildPanelEntry(record.entry);
        record.group = at->second;
        work.records.push_back(record);
    });
    return static_cast<int>(work.records.size());
}

int CDirCodesBinder::CompareDirectoryNames(const CSetPhoneEntries::PanelEntry& a,
                                           const CSetPhoneEntries::PanelEntry& b, bool ignoreCase)
{
    for (int i = 0; i < kSortTextLength; ++i) {
        const int at = kNameStart + i;
        const std::uint8_t ca = at < CSetPhoneEntries::kPanelEntrySize ? Folded(a[at], ignoreCase) : 0;
        const std::uint8_t cb = at < CSetPhoneEntries::kPanelEntrySize ? Folded(b[at], ignoreCase) : 0;
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

void CDirCodesBinder::SortDirectoryEntries(DirectoryWork& work, bool ignoreCase)
{
    std::stable_sort(work.records.begin(), work.records.end(), [ignoreCase](const WorkRecord& a, const WorkRecord& b) {
        return CompareDirectoryNames(a.entry, b.entry, ignoreCase) < 0;
    });
}

void CDirCodesBinder::AssignDirectorySlots(DirectoryWork& work, const BindLog& log)
{
    std::vector<bool> taken(kRecords, false);
    std::vector<WorkRecord> placed;
    placed.reserve(work.records.size());
    for (WorkRecord& record : work.records) {
        for (const int code : work.codes[static_cast<std::size_t>(record.group)]) {
            if (code >= 0 && !taken[static_cast<std::size_t>(code)]) {
                record.number = code;
                taken[static_cast<std::size_t>(code)] = true;
                break;
            }
        }
        // Left in, it would share another entry's record and links.
        if (record.number < 0) {
            Log(log, QStringLiteral("The directory entry %1 of cardholder %2 has no free directory code "
                                    "and was not bound.")
                         .arg(QString::fromLatin1(reinterpret_cast<const char*>(&record.entry[kNameStart]),
                                                  kNameWidth)
                                  .trimmed(),
                              QString::number(record.entry[kHolderHigh] << 8 | record.entry[kHolderLow])));
            continue;
        }
        placed.push_back(record);
    }
    work.records = std::move(placed);
}

QByteArray CDirCodesBinder::LayOutDirectory(DirectoryWork& work)
{
    QByteArray file(kRecords * kRecordSize, '\0');
    const std::size_t n = work.records.size();
    for (std::size_t i = 0; i < n; ++i) {
        WorkRecord& record = work.records[i];
        PutBigWord(record.entry, kNextLink, work.records[(i + 1) % n].number);
        PutBigWord(record.entry, kPreviousLink, work.records[(i + n - 1) % n].number);
        file.replace(record.number * kRecordSize, kSubsetByte + 1 - kEntryRecordStart,
                     reinterpret_cast<const char*>(&record.entry[kEntryRecordStart]),
                     kSubsetByte + 1 - kEntryRecordStart);
    }
    return file;
}

QByteArray CDirCodesBinder::BuildDirectory(DirectoryWorkArea& area, bool ignoreCase)
{
    DirectoryWork work;
    if (CollectDirectoryEntries(work, kAllSubsets, LogBinding) > 0) {
        SortDirectoryEntries(work, ignoreCase);
        AssignDirectorySlots(work, LogBinding);
    }
    std::fill(area.begin() + kTablesStart, area.end(), std::uint8_t(0));
    return LayOutDirectory(work);
}

int CDirCodesBinder::Bind()
{
    // Outside a programming run the file is still made; the index is not.
    DirectoryWorkArea scratch{};
    DirectoryWorkArea* area = m_manager.WorkArea() ? m_manager.WorkArea() : &scratch;
    QByteArray file;
    try {
        bool empty = true;
        ReadAllRows(g_setPhoneEntries, QString(), [&](const CSetPhoneEntries&) { empty = false; });
        if (empty) {
            // An empty directory is an empty file, which clears the panels' directory.
            std::fill(area->begin(), area->begin() + kWordsLength, std::uint8_t(0));
            std::fill(area->begin() + kTablesStart, area->end(), std::uint8_t(0));
        } else {
            file = BuildDirectory(*area, m_manager.Document().IgnoreCaseDirCodes());
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    return WriteBinderFile(file) ? 1 : 0;
}
