#include "common/IOperatorRights.h"
#include "common/ProgramObjects.h"
#include "link/CountryTable.h"
#include "linkforms/CDlgNetworkConnection.h"
#include "linkforms/NetworkConnectionValues.h"
#include "platform/Profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

constexpr int kModem = 0;
constexpr int kCom2 = 2;

// An operator holding only the privileges given.
class Rights : public IOperatorRights
{
public:
    explicit Rights(bool configure) : m_configure(configure) { SetOperatorRights(this); }
    ~Rights() override { SetOperatorRights(nullptr); }
    int IsAdministrator() const override { return 0; }
    bool HasPrivilege(int privilege) const override
    {
        return m_configure && privilege == CDlgNetworkConnection::kConfigurePrivilege;
    }

private:
    bool m_configure;
};

NetworkConnectionValues ModemNetwork()
{
    NetworkConnectionValues values;
    values.net = 1;
    values.enabled = true;
    values.name = QStringLiteral("Main building");
    values.password = QStringLiteral("123456");
    values.connectUsing = kModem;
    values.useCountryAndArea = true;
    values.countryId = 1;
    values.areaCode = QStringLiteral("555");
    values.phoneNumber = QStringLiteral("1234567");
    return values;
}

template <typename T>
T* Control(const QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

TEST(PhoneField, TextsGiveTheAreaCodeAndTheNumber)
{
    const struct
    {
        const char* displayed;
        const char* area;
        const char* number;
    } cases[] = {
        {"(555) 123-4567", "555", "1234567"},
        {"(___) 123-4567", "", "1234567"},
        {"(55_) 123-4567", "", "1234567"},
        {"(___) ___-4567", "", "4567"},
        {"(___) ___-____", "", ""},
        {"(800) _55-1234", "800", "551234"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.displayed);
        QString area;
        QString number;
        PhoneField::Parse(QString::fromLatin1(c.displayed), area, number);
        EXPECT_EQ(area, c.area);
        EXPECT_EQ(number, c.number);
    }
}

TEST(PhoneField, StoredNumbersAreRightAlignedAndSurviveTheMaskedEdit)
{
    const struct
    {
        const char* area;
        const char* stored;
        const char* composed;
        const char* number; // read back
    } cases[] = {
        {"555", "1234567", "5551234567", "1234567"},
        {"", "4567", "_______4567", "4567"},
        {"", "555-1234", "___5551234", "5551234"},
        {"12", "", "__________", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const QString composed = PhoneField::Compose(QString::fromLatin1(c.area), QString::fromLatin1(c.stored));
        EXPECT_EQ(composed, QString::fromLatin1(c.composed).right(10));
        QLineEdit edit;
        edit.setInputMask(PhoneField::Mask());
        edit.setText(composed);
        QString area;
        QString number;
        PhoneField::Parse(edit.displayText(), area, number);
        EXPECT_EQ(number, c.number) << edit.displayText().toStdString();
        EXPECT_EQ(area, QString::fromLatin1(c.area).size() == 3 ? QString::fromLatin1(c.area) : QString());
    }
}

TEST(CountryEntry, DiallingCodeIsTheDigitsInTheLastBrackets)
{
    EXPECT_EQ(CountryCodeOfEntry("United States of America (1)"), "1");
    EXPECT_EQ(CountryCodeOfEntry("Congo (Dem. Rep.) (243)"), "243");
    EXPECT_EQ(CountryCodeOfEntry("Nowhere"), "");
}

TEST(NetworkConnectionDialog, OkReturnsTheValuesAsEdited)
{
    Rights rights(true);
    CDlgNetworkConnection dialog(ModemNetwork());
    auto* country = Control<QComboBox>(dialog, CDlgNetworkConnection::IdCountry);
    ASSERT_GT(country->count(), 0);
    EXPECT_EQ(country->currentData().toInt(), 1);
    EXPECT_TRUE(country->currentText().endsWith("(1)"));
    Control<QSpinBox>(dialog, CDlgNetworkConnection::IdOffset)->setValue(-1);
    Control<QLineEdit>(dialog, CDlgNetworkConnection::IdPhone)->setText("___7654321");
    dialog.accept();
    const NetworkConnectionValues& values = dialog.Values();
    EXPECT_EQ(values.countryCode, "1");
    EXPECT_EQ(values.areaCode, "");
    EXPECT_EQ(values.phoneNumber, "7654321");
    EXPECT_EQ(values.hoursOffset, -1);
    EXPECT_EQ(values.name, "Main building");
    auto* offset = Control<QSpinBox>(dialog, CDlgNetworkConnection::IdOffset);
    EXPECT_EQ(offset->minimum(), -12);
    EXPECT_EQ(offset->maximum(), 12);
    EXPECT_EQ(Control<QLineEdit>(dialog, CDlgNetworkConnection::IdName)->maxLength(), 24);
    EXPECT_EQ(Control<QLineEdit>(dialog, CDlgNetworkConnection::IdPassword)->maxLength(), 6);
}

TEST(NetworkConnectionDialog, EachComNumberShowsItsDevice)
{
    Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM3"), QStringLiteral("/dev/ttyUSB0"));
    Rights rights(true);
    CDlgNetworkConnection dialog(ModemNetwork());
    const auto* connectUsing = Control<QComboBox>(dialog, CDlgNetworkConnection::IdConnectUsing);
    ASSERT_EQ(connectUsing->count(), 9);
    EXPECT_EQ(connectUsing->itemText(kModem), "Modem");
    EXPECT_EQ(connectUsing->itemText(1), "COM1 (/dev/ttyS0)");
    EXPECT_EQ(connectUsing->itemText(3), "COM3 (/dev/ttyUSB0)");
    EXPECT_EQ(connectUsing->itemText(8), "COM8 (/dev/ttyS7)");
    Profile::RemoveKey(QStringLiteral("Ports"), QStringLiteral("COM3"));
}

TEST(NetworkConnectionDialog, EnablingFollowsTheNetworkTheConnectionAndTheRight)
{
    const int phoneControls[] = {CDlgNetworkConnection::IdUseCountry, CDlgNetworkConnection::IdCountry,
                                 CDlgNetworkConnection::IdPhone};
    const int settings[] = {CDlgNetworkConnection::IdName, CDlgNetworkConnection::IdPassword,
                            CDlgNetworkConnection::IdDaylight, CDlgNetworkConnection::IdOffset,
                            CDlgNetworkConnection::IdConnectUsing};
    {
        SCOPED_TRACE("modem, may configure");
        Rights rights(true);
        CDlgNetworkConnection dialog(ModemNetwork());
        for (int id : phoneControls)
            EXPECT_TRUE(Control<QWidget>(dialog, id)->isEnabled()) << id;
        Control<QComboBox>(dialog, CDlgNetworkConnection::IdConnectUsing)->setCurrentIndex(kCom2);
        for (int id : phoneControls)
            EXPECT_FALSE(Control<QWidget>(dialog, id)->isEnabled()) << "a COM port needs no phone: " << id;
        Control<QCheckBox>(dialog, CDlgNetworkConnection::IdEnable)->setChecked(false);
        for (int id : settings)
            EXPECT_FALSE(Control<QWidget>(dialog, id)->isEnabled()) << id;
        EXPECT_TRUE(Control<QWidget>(dialog, CDlgNetworkConnection::IdEnable)->isEnabled());
    }
    {
        SCOPED_TRACE("no right to configure");
        Rights rights(false);
        CDlgNetworkConnection dialog(ModemNetwork());
        EXPECT_FALSE(Control<QWidget>(dialog, CDlgNetworkConnection::IdEnable)->isEnabled());
        for (int id : settings)
            EXPECT_FALSE(Control<QWidget>(dialog, id)->isEnabled()) << id;
        for (int id : phoneControls)
            EXPECT_FALSE(Control<QWidget>(dialog, id)->isEnabled()) << id;
    }
}

} // namespace
