#include "config/DirectoryCodes.h"
#include "config/DisplayMessageSlots.h"
#include "config/TelephoneDirectoryValues.h"
#include "database/GlobalRecordsets.h"
#include "tests/config/ConfigFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace DisplayMessageSlots;

TEST(DisplayMessageSlots, PairsWrapsTrimsAndNames)
{
    EXPECT_EQ(FirstSlotOfPair(7), 6);
    EXPECT_EQ(FirstSlotOfPair(6), 6);
    EXPECT_EQ(FirstSlotOfPair(0), 0);
    EXPECT_EQ(FirstSlotOfPair(39), 38);

    struct Step { int set; int step; int shown; };
    for (const Step& s : {Step{1, 1, 8}, Step{1, -1, 2}, Step{8, -1, 1}, Step{8, 1, 7}, Step{4, 0, 3}}) {
        SCOPED_TRACE(s.set * 10 + s.step);
        EXPECT_EQ(SetAfterStep(s.set, s.step), s.shown);
    }

    EXPECT_EQ(LineText(QStringLiteral("CANNOT DIAL NUMBER")), QStringLiteral("CANNOT DIAL NUMB"));
    EXPECT_EQ(LineText(QStringLiteral("  HELLO   ")), QStringLiteral("  HELLO"));
    EXPECT_EQ(LineText(QString()), QString());
    EXPECT_EQ(LineText(QStringLiteral("A|B|C|  ")), QStringLiteral("ABC"));
    EXPECT_EQ(LineText(QStringLiteral("ABCDEFGH|IJKLMNOPQ")), QStringLiteral("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(LineText(QStringLiteral("|||")), QString());

    EXPECT_EQ(JustificationName(0), QStringLiteral("Left"));
    EXPECT_EQ(JustificationName(1), QStringLiteral("Center"));
    EXPECT_EQ(JustificationName(2), QStringLiteral("Right"));
    EXPECT_EQ(JustificationName(7), QStringLiteral("7"));
}

class Directory : public OpenInstallation
{
protected:
    static void AddEntry(std::int32_t user, const QString& code)
    {
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserID = user;
        g_setPhoneEntries.m_UserDirectoryCode = code;
        g_setPhoneEntries.Update();
        g_setPhoneEntries.Requery();
    }
    static QStringList Codes()
    {
        QStringList codes;
        g_setPhoneEntries.Requery();
        for (bool row = !(g_setPhoneEntries.IsBOF() && g_setPhoneEntries.IsEOF()); row && !g_setPhoneEntries.IsEOF();
             g_setPhoneEntries.MoveNext())
            codes << g_setPhoneEntries.m_UserDirectoryCode;
        return codes;
    }
    MessageBoxScript m_boxes;
};

TEST_F(Directory, OnlyCodesGivenToCardholdersCountAndAreConverted)
{
    EXPECT_FALSE(DirectoryCodes::AnyAssigned(g_setPhoneEntries)) << "an empty table";
    AddEntry(0, QStringLiteral("5"));
    EXPECT_FALSE(DirectoryCodes::AnyAssigned(g_setPhoneEntries));
    AddEntry(11, QStringLiteral("7"));
    AddEntry(12, QStringLiteral("12"));
    EXPECT_TRUE(DirectoryCodes::AnyAssigned(g_setPhoneEntries));
    EXPECT_TRUE(g_setPhoneEntries.m_strFilter.isEmpty());

    DirectoryCodes::ConvertAssigned(g_setPhoneEntries, 4);
    EXPECT_EQ(Codes(), (QStringList{"5", "0007", "0012"}));
    EXPECT_TRUE(g_setPhoneEntries.m_strFilter.isEmpty());
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_F(Directory, StoredSettingsAndChangedMessagesComeBack)
{
    TelephoneDirectoryValues values;
    values.Load(m_doc);
    EXPECT_EQ(values.At(1, 33).text, QStringLiteral("CANNOT DIAL NUMBER"));
    EXPECT_EQ(values.At(8, 0).justification, 1);
    values.At(3, 5) = {QStringLiteral("WELCOME"), 2};
    values.talkTime = 200;
    values.pbxDigit = 10;
    values.postalKeyDoor = 3;
    values.codeLengthIndex = 2;
    values.beginsAtMiddle = true;
    m_doc.SetDataToProgram(0);
    values.ignoreCase = m_doc.m_bIgnoreCaseDirCodes == 0;
    values.Store(m_doc);
    EXPECT_EQ(m_doc.GetDataToProgram(), 1) << "a changed ignore-case choice marks at once";

    TelephoneDirectoryValues again;
    again.Load(m_doc);
    EXPECT_EQ(again.At(3, 5).text, QStringLiteral("WELCOME"));
    EXPECT_EQ(again.At(3, 5).justification, 2);
    EXPECT_EQ(again.At(2, 5).text, values.At(2, 5).text) << "other sets keep theirs";
    EXPECT_EQ(again.talkTime, 200);
    EXPECT_EQ(again.pbxDigit, 10);
    EXPECT_EQ(again.postalKeyDoor, 3);
    EXPECT_EQ(again.codeLengthIndex, 2);
    EXPECT_TRUE(again.beginsAtMiddle);

    again.ResetToFactory();
    EXPECT_EQ(again.At(3, 5).text, QStringLiteral("* TO GO BACKWARD"));
    EXPECT_EQ(again.At(3, 5).justification, 0);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

} // namespace
