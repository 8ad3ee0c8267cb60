#include "BinderTestFixture.h"

#include "image/CDirCodesBinder.h"
#include "image/CVLMemory.h"
#include "image/DirectoryIndex.h"
#include "platform/Database.h"

#include <cstring>
#include <map>

namespace {

constexpr int kRecord = CDirCodesBinder::kRecordSize;

struct Entry
{
    const char* name;
    const char* code;
    int holder = 1;
    bool subsetA = true;
};

void AddPhoneEntry(const Entry& e)
{
    g_setPhoneEntries.AddNew();
    g_setPhoneEntries.m_UserID = e.holder;
    g_setPhoneEntries.m_TenantName = QString::fromLatin1(e.name);
    g_setPhoneEntries.m_UserDirectoryCode = QString::fromLatin1(e.code);
    g_setPhoneEntries.m_PhoneNumber = QStringLiteral("5551234");
    g_setPhoneEntries.m_SubsetA = e.subsetA;
    g_setPhoneEntries.Update();
}

int Word(const QByteArray& file, int at)
{
    return static_cast<std::uint8_t>(file[at]) << 8 | static_cast<std::uint8_t>(file[at + 1]);
}

QString NameAt(const QByteArray& file, int record)
{
    return QString::fromLatin1(file.mid(record * kRecord + 24, 24)).trimmed();
}

// Record numbers in use, each with its next and previous links.
std::map<int, std::pair<int, int>> Links(const QByteArray& file)
{
    std::map<int, std::pair<int, int>> links;
    for (int r = 0; r < CDirCodesBinder::kRecords; ++r) {
        if (file[r * kRecord] != 0)
            links[r] = {Word(file, r * kRecord + 2), Word(file, r * kRecord + 4)};
    }
    return links;
}

} // namespace

using DirCodesBinder = BinderTestFixture;

TEST_F(DirCodesBinder, RecordsLinkInTenantNameOrder)
{
    using LinkMap = std::map<int, std::pair<int, int>>;
    struct Case
    {
        const char* what;
        std::vector<Entry> entries;
        int ignoreCase;
        LinkMap links;
    };
    const std::vector<Case> cases = {
        {"one entry links to itself", {{"Smith", "12"}}, 1, {{12, {12, 12}}}},
        {"ignoring case, adams first", {{"Brown", "5"}, {"adams", "9"}}, 1, {{9, {5, 5}}, {5, {9, 9}}}},
        {"with case, capitals first", {{"Brown", "5"}, {"adams", "9"}, {"Carr", "7"}}, 0,
         {{5, {7, 9}}, {7, {9, 5}}, {9, {5, 7}}}},
        {"one holder, one name, two codes", {{"Lee", "20"}, {"Lee", "21"}}, 1, {{20, {21, 21}}, {21, {20, 20}}}},
        {"names with quotes bind", {{"O'Brien", "3"}, {"Say \"hi\"", "4"}}, 1, {{3, {4, 4}}, {4, {3, 3}}}},
        {"codes that are not numbers below 10000 are left out",
         {{"Abel", "abc"}, {"Baker", "10000"}, {"Cole", "-1"}, {"Dunn", "8"}}, 1, {{8, {8, 8}}}},
        {"an entry without subsets is not in the file", {{"Hidden", "6", 1, false}, {"Shown", "2"}}, 1,
         {{2, {2, 2}}}},
        {"a code taken by an earlier name is not shared", {{"Ames", "30", 1}, {"Bell", "30", 2}}, 1,
         {{30, {30, 30}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Database::Open(g_setPhoneEntries.GetDefaultDBName())->Execute(QStringLiteral("DELETE FROM EntryNumbers"));
        g_setPhoneEntries.Requery();
        for (const Entry& e : c.entries)
            AddPhoneEntry(e);
        m_doc.m_bIgnoreCaseDirCodes = c.ignoreCase;
        ASSERT_EQ(CDirCodesBinder(m_manager).Bind(), 1);
        const QByteArray file = CurrentFile(QStringLiteral("DirCodes.dat"));
        ASSERT_EQ(file.size(), CDirCodesBinder::kRecords * kRecord);
        EXPECT_EQ(Links(file), c.links);
    }
}

TEST_F(DirCodesBinder, RecordBytesComeFromThePanelEntry)
{
    AddPhoneEntry({"SMITH", "12", 300});
    ASSERT_EQ(CDirCodesBinder(m_manager).Bind(), 1);
    const QByteArray record = CurrentFile(QStringLiteral("DirCodes.dat")).mid(12 * kRecord, kRecord);
    EXPECT_EQ(record.left(8).toHex(' '), QByteArray("c1 07 00 0c 00 0c 01 2c"));
    EXPECT_EQ(record.mid(8, 16), QByteArray("*********5551234"));
    EXPECT_EQ(NameAt(CurrentFile(QStringLiteral("DirCodes.dat")), 12), QStringLiteral("SMITH"));
    EXPECT_EQ(record.mid(48).toHex(' '), QByteArray("01 00 00 00"));
    EXPECT_EQ(CDirCodesBinder::FormatDirectoryPhone(record.mid(8, 16)), QStringLiteral("5551234"));
}

TEST_F(DirCodesBinder, EmptyTableGivesAnEmptyFileAndClearedIndex)
{
    DirectoryWorkArea area;
    area.fill(0x5A);
    ASSERT_EQ(m_manager.BindAll(area, 0), 1);
    EXPECT_EQ(CurrentFile(QStringLiteral("DirCodes.dat")).size(), 0);
    for (int i : {0, 1, 2, 3, 4, 5, 18, 273, 274, 529})
        EXPECT_EQ(area[i], 0) << i;

    AddPhoneEntry({"Nobody", "4", 1, false});
    area.fill(0x5A);
    ASSERT_EQ(m_manager.BindAll(area, 0), 1);
    const QByteArray file = CurrentFile(QStringLiteral("DirCodes.dat"));
    EXPECT_EQ(file, QByteArray(CDirCodesBinder::kRecords * kRecord, '\0'));
    EXPECT_EQ(area[0], 0x5A) << "the words are the index's";
    EXPECT_EQ(area[18], 0);
    EXPECT_EQ(area[529], 0);
}

TEST_F(DirCodesBinder, DirectoryIndexCountsFirstCharacters)
{
    for (const Entry& e : {Entry{"bert", "3"}, Entry{"Anna", "2"}, Entry{"adam", "1"}, Entry{"Zed", "9", 1, false}})
        AddPhoneEntry(e);
    struct Case
    {
        int ignoreCase;
        std::vector<std::pair<char, int>> counts;
        std::vector<std::pair<char, int>> firsts;
        int start;
        int pages;
    };
    const Case cases[] = {
        {1, {{'a', 2}, {'b', 1}, {'A', 0}}, {{'a', 1}, {'b', 3}}, 1, 2},
        {0, {{'A', 1}, {'a', 1}, {'b', 1}}, {{'A', 2}, {'a', 1}, {'b', 3}}, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ignoreCase);
        CVLMemory image;
        image.SetByte(VLLayout::kDirectorySubsets, 0x01);
        DirectoryWorkArea area{};
        EXPECT_EQ(BuildDirectoryIndex(image, area, c.ignoreCase != 0), c.pages);
        EXPECT_EQ(g_nDirectoryPages, c.pages);
        EXPECT_EQ(image.Word(VLLayout::kDirectoryCount), 3);
        EXPECT_EQ(image.Word(VLLayout::kDirectoryListStart), c.start);
        for (const auto& [ch, n] : c.counts) {
            EXPECT_EQ(image.Word(VLLayout::kDirectoryCounts.At(ch)), n) << ch;
            EXPECT_EQ(Word(QByteArray(reinterpret_cast<const char*>(area.data()), int(area.size())), 274 + 2 * ch), n);
        }
        for (const auto& [ch, code] : c.firsts)
            EXPECT_EQ(image.Word(VLLayout::kDirectoryFirstEntries.At(ch)), code) << ch;
    }
}

TEST(DirectoryNameOrder, CaseInsensitiveOrderFoldsToSmallLetters)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool ignoreCase;
        int sign;
    };
    // '_' lies between the capitals and the small letters, so the way
    // letters are folded decides where it sorts.
    const Case cases[] = {
        {"a_", "aB", true, -1},
        {"a_", "aB", false, 1},
        {"adams", "Brown", true, -1},
        {"adams", "Brown", false, 1},
        {"SMITH", "smith", true, 0},
        {"Smith", "Smithers", true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b);
        CSetPhoneEntries::PanelEntry a{};
        CSetPhoneEntries::PanelEntry b{};
        for (int i = 0; i < 24; ++i) {
            a[28 + i] = static_cast<std::uint8_t>(i < int(strlen(c.a)) ? c.a[i] : ' ');
            b[28 + i] = static_cast<std::uint8_t>(i < int(strlen(c.b)) ? c.b[i] : ' ');
        }
        a[52] = b[52] = 1;
        const int result = CDirCodesBinder::CompareDirectoryNames(a, b, c.ignoreCase);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

TEST_F(DirCodesBinder, LoggedNamesAndCodesAreNeverTemplates)
{
    AddPhoneEntry({"Smith%2", "%1", 7});
    AddPhoneEntry({"Shift %1", "5", 8});
    AddPhoneEntry({"Shift %2", "5", 9});
    QStringList lines;
    const BindLog log = [&lines](const QString& line) { lines << line; };
    CDirCodesBinder::DirectoryWork work;
    ASSERT_EQ(CDirCodesBinder::CollectDirectoryEntries(work, 1, log), 3);
    CDirCodesBinder::AssignDirectorySlots(work, log);
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], "Directory code \"%1\" of Smith%2 (cardholder 7) is not a number from 0 to 9999.");
    EXPECT_EQ(lines[1], "The directory entry Smith%2 of cardholder 7 has no free directory code and was not bound.");
    EXPECT_EQ(lines[2], "The directory entry Shift %2 of cardholder 9 has no free directory code and was not bound.");
}
