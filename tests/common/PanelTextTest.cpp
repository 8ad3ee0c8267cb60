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

} // namespace
