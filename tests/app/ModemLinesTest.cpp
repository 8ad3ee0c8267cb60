#include "app/CModemLinesDlg.h"
#include "app/CTabWFModemProberties.h"
#include "database/ITelephonyLines.h"
#include "link/CModem.h"
#include "link/DialingLocation.h"
#include "link/ModemLines.h"
#include "link/ModemTelephonyLines.h"
#include "platform/Profile.h"
#include "tests/support/MessageBoxScript.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

const QString kLines = QStringLiteral("Modem Lines");

// Lines 0 and 2 are configured; 1 is a gap.
class ModemLinesSetup : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString& key : Profile::Keys(kLines))
            Profile::RemoveKey(kLines, key);
        ModemLines::Save({{0, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("Desk modem")},
                          {2, QStringLiteral("/dev/ttyACM0"), QStringLiteral("Spare")}});
        SetTelephonyLines(&lines);
    }
    void TearDown() override { SetTelephonyLines(nullptr); }

    CModem modem;
    int dialogs = 0;
    ModemTelephonyLines lines {modem, [this](QWidget*) { ++dialogs; }};
};

} // namespace

TEST_F(ModemLinesSetup, DialingPageListsTheConfiguredLinesByIdentifier)
{
    CTabWFModemProberties page;
    page.m_nLineDevice = 2;
    page.show();
    ASSERT_EQ(page.LineList()->count(), 2);
    EXPECT_EQ(page.LineList()->itemText(0), QStringLiteral("Desk modem"));
    EXPECT_EQ(page.LineList()->itemData(1).toInt(), 2);
    EXPECT_EQ(page.LineList()->currentText(), QStringLiteral("Spare"));

    page.LineList()->setCurrentIndex(0);
    EXPECT_EQ(modem.LineDevice(), 0);
    page.OnDialingProperties();
    EXPECT_EQ(dialogs, 1);
}

TEST_F(ModemLinesSetup, LinesDialogKeepsIdentifiersAndStoresTheLocation)
{
    CModemLinesDlg dialog;
    ASSERT_EQ(dialog.Lines()->rowCount(), 2);
    EXPECT_EQ(dialog.Lines()->item(1, 1)->text(), QStringLiteral("Spare"));

    dialog.Lines()->setCurrentCell(0, 0);
    dialog.OnRemoveLine();
    dialog.OnAddLine();
    dialog.Lines()->item(1, 0)->setText(QStringLiteral("/dev/ttyS3"));
    dialog.CountryList()->setCurrentIndex(dialog.CountryList()->findData(44));
    dialog.AreaCode()->setText(QStringLiteral("20"));
    dialog.accept();

    const std::vector<ModemLineSetting> saved = ModemLines::Load();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].id, 2) << "the spare keeps its identifier";
    EXPECT_EQ(saved[1].id, 3) << "a new line takes an identifier no line had";
    EXPECT_EQ(saved[1].device, QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(saved[1].name, QStringLiteral("/dev/ttyS3")) << "a line without a name shows its device";
    const DialingLocation location = DialingLocation::Load();
    EXPECT_EQ(location.countryId, 44);
    EXPECT_EQ(location.areaCode, QStringLiteral("20"));
}
