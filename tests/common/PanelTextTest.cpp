#include "common/PanelText.h"
#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelText, TheFirstCharacterBeyondLatin1IsNamed)
{
    const QChar loneSurrogate(0xD800);
    const struct
    {
        QString text;
        std::optional<QString> refused;
    } cases[] = {
        {QString(), std::nullopt},
        {QStringLiteral("Front Door"), std::nullopt},
        {QStringLiteral("Müller ÿ ©"), std::nullopt},
        {QStringLiteral("漢字 Łódź door"), QStringLiteral("漢")},
        {QStringLiteral("Łódź"), QStringLiteral("Ł")},
        {QStringLiteral("Door €"), QStringLiteral("€")},
        {QStringLiteral("Door 🚪"), QStringLiteral("🚪")},
        {QStringLiteral("Door ") + loneSurrogate, QString(QChar(QChar::ReplacementCharacter))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(FirstCharacterOutsidePanelText(c.text), c.refused);
        MessageBoxScript boxes;
        EXPECT_EQ(CheckPanelText(QStringLiteral("Channel A"), c.text), !c.refused);
        EXPECT_EQ(boxes.Texts().size(), c.refused ? 1 : 0);
    }
}

TEST(PanelText, TheRefusalNamesTheFieldAndTheCharacter)
{
    MessageBoxScript boxes;
    EXPECT_FALSE(CheckPanelText(QStringLiteral("Channel A"), QStringLiteral("Łódź %1 door")));
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Channel A: the character \"Ł\" cannot be stored in a "
                                                     "controller.\n\nControllers hold only Western European "
                                                     "(Latin-1) characters."));
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);
}

// The names of a site in any script become text a panel holds: its own
// letters kept, the others their nearest, the rest one stand-in each.
TEST(PanelText, NamesTakeTheNearestCharactersAPanelHolds)
{
    const struct
    {
        const char* script;
        QString name;
        QString nearest;
    } cases[] = {
        {"Polish", QStringLiteral("Wójcik Łucja"), QStringLiteral("Wójcik Lucja")},
        {"Polish", QStringLiteral("Ślęzak Źdźbło Żaneta"), QStringLiteral("Slezak Zdzblo Zaneta")},
        {"Czech", QStringLiteral("Dvořák Šťastný Jiří"), QStringLiteral("Dvorák Stastný Jirí")},
        {"Czech", QStringLiteral("Kůžel Čeněk Ďurová"), QStringLiteral("Kuzel Cenek Durová")},
        {"Turkish", QStringLiteral("Yılmaz Şükrü"), QStringLiteral("Yilmaz Sükrü")},
        {"Turkish", QStringLiteral("Çağlar İsmail Doğan"), QStringLiteral("Çaglar Ismail Dogan")},
        {"Romanian", QStringLiteral("Țurcanu Ștefan"), QStringLiteral("Turcanu Stefan")},
        {"Vietnamese, two marks", QStringLiteral("Nguyễn Thị Ánh"), QStringLiteral("Nguyên Thi Ánh")},
        {"Croatian and Maltese", QStringLiteral("Đurić Ħaġar"), QStringLiteral("Duric Hagar")},
        {"ligatures and capital sharp s", QStringLiteral("Œuvre GROẞ ﬁn"), QStringLiteral("OEuvre GROSS fin")},
        {"fullwidth", QStringLiteral("ＡＢＣ"), QStringLiteral("ABC")},
        {"typographic signs", QStringLiteral("O’Brien–Smith “Jo”"), QStringLiteral("O'Brien-Smith \"Jo\"")},
        {"letter and mark typed apart", QStringLiteral("Jose\u0301 q\u0303"), QStringLiteral("José q")},
        {"Latin-1 only", QStringLiteral("Müller Ærøskøbing L'Haÿ"), QStringLiteral("Müller Ærøskøbing L'Haÿ")},
        {"Greek", QStringLiteral("Παπαδόπουλος Νίκος"), QStringLiteral("???????????? ?????")},
        {"Cyrillic", QStringLiteral("Иванов Йован"), QStringLiteral("?????? ?????")},
        {"CJK", QStringLiteral("王小明 Wang"), QStringLiteral("??? Wang")},
        {"beyond the first plane", QStringLiteral("Ana 🚪"), QStringLiteral("Ana ?")},
        {"lone surrogate", QStringLiteral("Ana ") + QChar(0xD800), QStringLiteral("Ana ?")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        SCOPED_TRACE(c.name.toStdString());
        const QString nearest = NearestPanelText(c.name);
        EXPECT_EQ(nearest, c.nearest);
        EXPECT_EQ(FirstCharacterOutsidePanelText(nearest), std::nullopt);
    }
}

} // namespace
