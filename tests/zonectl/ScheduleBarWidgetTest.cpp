#include "platform/ControlHost.h"
#include "platform/ControlRegistry.h"
#include "zonectl/QZIdentifiers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 30;
constexpr int kY = 20;
const QColor kNavy(0, 0, 128);
const QColor kGrey(192, 192, 192);
// Far past the bar's tooltip delay, even on a loaded machine.
constexpr qint64 kToolTipWaitMs = 1500;

// A bar created through its registration and placed in a window, as a
// schedule page places it.
class ScheduleBarOnPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY));
        QString message;
        bar = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZCtrl), &message);
        ASSERT_TRUE(bar) << message.toStdString();
        bar->SetEventHandler([this](int dispid, const QVariantList& args) { events.append({dispid, args}); });
        page.resize(kWidth, kHeight);
        window = bar->Attach(&page);
        ASSERT_TRUE(window);
        window->setGeometry(0, 0, kWidth, kHeight);
        page.show();
    }
    void TearDown() override { ControlRegistry::SetLocation({}); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), QPointF(window->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(window, &event);
    }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        Mouse(QEvent::MouseButtonPress, at, button, button);
    }
    void MoveHeld(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    // The tooltip shown over a point once the bar's delay has passed, empty
    // for none.
    QString ToolTipAt(QPoint at)
    {
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->inherits("QTipLabel"))
                shown->close();
        }
        Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QHelpEvent help(QEvent::ToolTip, at, window->mapToGlobal(at));
        QApplication::sendEvent(window, &help);
        EXPECT_FALSE(QToolTip::isVisible()) << "shown before its delay";
        QElapsedTimer waited;
        waited.start();
        while (!QToolTip::isVisible() && waited.elapsed() < kToolTipWaitMs) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    std::int32_t Long(int dispid) const
    {
        std::int32_t value = -1;
        EXPECT_TRUE(bar->GetLong(dispid, &value));
        return value;
    }
    void SetPeriod(int period, int begin, int end)
    {
        bar->SetLong(QZ::BeginDispid(period), begin);
        bar->SetLong(QZ::EndDispid(period), end);
    }
    QColor PixelAt(int x) const { return window->grab().toImage().pixelColor(x, kY); }

    // Answers every modal dialog that opens while it lives with answer.
    class DialogWatch
    {
    public:
        explicit DialogWatch(std::function<void(QDialog*)> answer) : m_answer(std::move(answer))
        {
            QObject::connect(&m_timer, &QTimer::timeout, [this] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    ++opened;
                    m_answer(dialog);
                }
            });
            m_timer.start(5);
        }
        int opened = 0;

    private:
        QTimer m_timer;
        std::function<void(QDialog*)> m_answer;
    };

    QWidget page;
    std::unique_ptr<ControlHost> bar;
    QWidget* window = nullptr;
    QList<QPair<int, QVariantList>> events;
};

TEST_F(ScheduleBarOnPage, DraggingAnEdgeChangesThePropertyTheHostReads)
{
    SetPeriod(0, 600, 720); // 300 to 360
    Press({358, kY});
    MoveHeld({388, kY});
    Release({388, kY});
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone1Begin), 600);
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone1End), 779);

    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].first, QZ::DISPID_MOUSEDOWN);
    EXPECT_EQ(events[0].second, (QVariantList{QZ::kLeftButton, 0, 358, kY}));
}

TEST_F(ScheduleBarOnPage, MouseEditsLeaveTheBarUnmodifiedAndTheToolTipSwitchMarksIt)
{
    SetPeriod(0, 600, 720);
    ControlHost::PersistedState state;
    ASSERT_TRUE(bar->Save(&state));
    Press({358, kY});
    MoveHeld({388, kY});
    Release({388, kY});
    ASSERT_EQ(Long(QZ::DISPID_lTimeZone1End), 779);
    EXPECT_FALSE(bar->IsDirty()) << "the container reads the periods when it stores";
    bar->SetProperty(QZ::DISPID_ShowToolTip, false);
    EXPECT_TRUE(bar->IsDirty()) << "the bar has its tooltip once it has a window";
}

TEST_F(ScheduleBarOnPage, DragSurvivesTheMouseLeavingTheBar)
{
    SetPeriod(0, 600, 720);
    Press({358, kY});
    MoveHeld({358, kHeight + 40});
    MoveHeld({388, kY});
    Release({388, kY});
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone1End), 779);
}

TEST_F(ScheduleBarOnPage, MirrorAndInactiveBarsIgnoreTheMouse)
{
    const struct
    {
        const char* name;
        int dispid;
        QVariant value;
    } cases[] = {
        {"mirror", QZ::DISPID_TimeZoneNumber, QStringLiteral("0")},
        {"inactive", QZ::DISPID_Active, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetPeriod(0, 600, 720);
        bar->SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("5"));
        bar->SetProperty(QZ::DISPID_Active, true);
        bar->SetProperty(c.dispid, c.value);
        events.clear();
        DialogWatch watch([](QDialog* dialog) { dialog->reject(); });
        Press({358, kY});
        MoveHeld({388, kY});
        Release({388, kY});
        Press({100, kY}, Qt::RightButton);
        EXPECT_EQ(Long(QZ::DISPID_lTimeZone1End), 720);
        EXPECT_TRUE(events.isEmpty());
        EXPECT_EQ(watch.opened, 0);
    }
}

TEST_F(ScheduleBarOnPage, PeriodPastMidnightColoursBothEndsOfTheBar)
{
    SetPeriod(0, 1320, 120);
    EXPECT_EQ(PixelAt(2), kNavy);
    EXPECT_EQ(PixelAt(kWidth - 3), kNavy);
    EXPECT_EQ(PixelAt(kWidth / 2), kGrey);
}

TEST_F(ScheduleBarOnPage, ResizedBarRedrawsItsPeriodsToTheNewWidth)
{
    SetPeriod(0, 720, 1439);
    EXPECT_EQ(PixelAt(kWidth / 2 + 20), kNavy);
    window->resize(kWidth / 2, kHeight);
    EXPECT_EQ(PixelAt(kWidth / 4 + 10), kNavy);
    EXPECT_EQ(PixelAt(kWidth / 4 - 10), kGrey);
}

TEST_F(ScheduleBarOnPage, AllDayMarkerFillsTheWholeBar)
{
    SetPeriod(0, 1440, 0);
    for (const int x : {1, kWidth / 2, kWidth - 2}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(PixelAt(x), kNavy);
    }
}

TEST_F(ScheduleBarOnPage, RightClickFillsTheFirstFreePeriodFromTheDialog)
{
    SetPeriod(0, 60, 120);
    QString label;
    DialogWatch watch([&label](QDialog* dialog) {
        const auto labels = dialog->findChildren<QLabel*>();
        if (!labels.isEmpty())
            label = labels.front()->text();
        const auto edits = dialog->findChildren<QLineEdit*>();
        edits[0]->setText(QStringLiteral("22:00"));
        edits[1]->setText(QStringLiteral("02:00"));
        dialog->accept();
    });
    Press({600, kY}, Qt::RightButton);
    EXPECT_EQ(watch.opened, 1);
    EXPECT_EQ(label, QStringLiteral("Enter range for Time period 2:"));
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone2Begin), 1320);
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone2End), 120);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].second.front(), QZ::kRightButton);
}

TEST_F(ScheduleBarOnPage, RightClickWithFourPeriodsOpensNoDialog)
{
    for (int p = 0; p < QZ::kPeriodCount; ++p)
        SetPeriod(p, 60 * (p + 1), 60 * (p + 1) + 30);
    DialogWatch watch([](QDialog* dialog) { dialog->reject(); });
    Press({600, kY}, Qt::RightButton);
    QApplication::processEvents();
    EXPECT_EQ(watch.opened, 0);
}

TEST_F(ScheduleBarOnPage, DoubleClickEditsThePeriodUnderTheMouse)
{
    SetPeriod(0, 600, 720);
    SetPeriod(1, 660, 780);
    DialogWatch watch([](QDialog* dialog) {
        const auto edits = dialog->findChildren<QLineEdit*>();
        EXPECT_EQ(edits[0]->text(), QStringLiteral("10:00"));
        edits[1]->setText(QStringLiteral("23:99"));
        dialog->accept();
    });
    Mouse(QEvent::MouseButtonDblClick, {340, kY}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(watch.opened, 1);
    // An invalid time leaves the period as it was.
    EXPECT_EQ(Long(QZ::DISPID_lTimeZone1End), 720);
}

TEST_F(ScheduleBarOnPage, PropertyPageApplySetsShowTimeScale)
{
    QString message;
    auto propertyPage = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZPropPage), &message);
    ASSERT_TRUE(propertyPage) << message.toStdString();
    ASSERT_TRUE(propertyPage->SetObjects({bar.get()}));
    QWidget sheet;
    QWidget* pageWindow = propertyPage->Attach(&sheet);
    ASSERT_TRUE(pageWindow);
    auto* check = pageWindow->findChild<QCheckBox*>();
    ASSERT_TRUE(check);
    EXPECT_EQ(check->text(), QStringLiteral("&Show Time Scale"));
    EXPECT_FALSE(check->isChecked());

    check->setChecked(true);
    QVariant shown;
    bar->GetProperty(QZ::DISPID_ShowTimeScale, &shown);
    EXPECT_FALSE(shown.toBool()) << "nothing reaches the control before Apply";
    ASSERT_TRUE(propertyPage->Apply());
    bar->GetProperty(QZ::DISPID_ShowTimeScale, &shown);
    EXPECT_TRUE(shown.toBool());
}

TEST_F(ScheduleBarOnPage, ToolTipNamesTheHighestPeriodUnderTheMouse)
{
    bar->SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("4"));
    SetPeriod(0, 600, 720); // 300 to 360
    SetPeriod(1, 660, 780); // 330 to 390
    EXPECT_EQ(ToolTipAt({340, kY}), QStringLiteral("Time period 2: 11:00 to 13:00"));
    EXPECT_EQ(ToolTipAt({310, kY}), QStringLiteral("Time period 1: 10:00 to 12:00"));
    // Over no period the text stays as it was.
    EXPECT_EQ(ToolTipAt({600, kY}), QStringLiteral("Time period 1: 10:00 to 12:00"));

    bar->SetProperty(QZ::DISPID_ShowToolTip, false);
    EXPECT_TRUE(ToolTipAt({340, kY}).isEmpty());
}

TEST_F(ScheduleBarOnPage, MirrorHasNoGeneralToolTip)
{
    QWidget otherPage;
    QString message;
    auto mirror = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZCtrl), &message);
    ASSERT_TRUE(mirror);
    ASSERT_TRUE(mirror->Load({{QStringLiteral("Time Zone Numer"), QStringLiteral("0")}}));
    window = mirror->Attach(&otherPage);
    window->setGeometry(0, 0, kWidth, kHeight);
    EXPECT_TRUE(ToolTipAt({600, kY}).isEmpty());
}

TEST_F(ScheduleBarOnPage, PropertiesVerbShowsTheThreePagesAndOkApplies)
{
    QStringList tabs;
    DialogWatch watch([&tabs](QDialog* sheet) {
        auto* tabWidget = sheet->findChild<QTabWidget*>();
        for (int i = 0; i < tabWidget->count(); ++i)
            tabs << tabWidget->tabText(i);
        sheet->findChild<QCheckBox*>(QStringLiteral("ShowTimeScale"))->setChecked(true);
        sheet->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)
            ->button(QDialogButtonBox::Ok)
            ->click();
    });
    ASSERT_TRUE(bar->DoVerb(ZC_VERB_PROPERTIES));
    EXPECT_EQ(watch.opened, 1);
    EXPECT_EQ(tabs, (QStringList{"General", "Color", "Font"}));
    QVariant shown;
    bar->GetProperty(QZ::DISPID_ShowTimeScale, &shown);
    EXPECT_TRUE(shown.toBool());
}

TEST(ScheduleBarContainer, ClosingTheDialogTakesTheBarWithIt)
{
    ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY));
    QString message;
    auto bar = ControlHost::Create(QString::fromLatin1(QZ::kClsidQZCtrl), &message);
    ASSERT_TRUE(bar) << message.toStdString();
    auto dialog = std::make_unique<QDialog>();
    QPointer<QWidget> window = bar->Attach(dialog.get());
    ASSERT_TRUE(window);
    dialog.reset();
    EXPECT_TRUE(window.isNull());
    std::int32_t value = 0;
    EXPECT_FALSE(bar->GetLong(QZ::DISPID_lTimeZone1End, &value));
    EXPECT_EQ(bar->Attach(nullptr), nullptr);
    bar.reset();
    ControlRegistry::SetLocation({});
}

} // namespace
