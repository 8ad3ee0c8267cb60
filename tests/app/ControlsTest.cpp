#include "app/CBackupDlg.h"
#include "app/CClampDateTimeCtrl.h"
#include "app/CClickButton.h"
#include "app/CListCtrlEx.h"
#include "app/CListCtrlEx2.h"
#include "app/CPercentProgressDlg.h"
#include "app/CProgressDlg.h"
#include "app/CWFApp.h"
#include "image/BindProgress.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

TEST(ProgressDialogs, CancelRaisesTheFlagOnceAndKeepsTheDialogOpen)
{
    QWidget owner;
    owner.show();
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    EXPECT_FALSE(owner.isEnabled());
    dialog.findChild<QPushButton*>("Cancel")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.CheckCancelButton());
    EXPECT_FALSE(dialog.CheckCancelButton());
    dialog.Close();
    EXPECT_TRUE(owner.isEnabled());
}

TEST(ProgressDialogs, AnOwnerDisabledBeforeStaysDisabled)
{
    QWidget owner;
    owner.setEnabled(false);
    {
        CPercentProgressDlg dialog;
        dialog.Create(&owner);
    }
    EXPECT_FALSE(owner.isEnabled());
}

TEST(ProgressDialogs, MovesReturnThePreviousPositionAndStepsByTheStep)
{
    CProgressDlg dialog;
    dialog.SetStatus(QStringLiteral("Binding cardholders"));
    EXPECT_EQ(dialog.Status(), "Binding cardholders");
    EXPECT_EQ(dialog.SetPos(20), 0);
    EXPECT_EQ(dialog.StepIt(), 20);
    EXPECT_EQ(dialog.OffsetPos(5), 30);
    EXPECT_EQ(dialog.Pos(), 35);
}

TEST(ProgressDialogs, PercentTextFollowsEveryMove)
{
    CPercentProgressDlg dialog;
    EXPECT_EQ(dialog.PercentText(), " 0 %");
    dialog.SetPos(100);
    EXPECT_EQ(dialog.PercentText(), "100%");
    dialog.SetPos(150);
    EXPECT_EQ(dialog.PercentText(), "50%");
    dialog.SetPos(40);
    dialog.StepTo(25, 10);
    EXPECT_EQ(dialog.Pos(), 40);
    dialog.StepTo(30, 10);
    EXPECT_EQ(dialog.Pos(), 30);
    dialog.StepTo(30, 0);
    EXPECT_EQ(dialog.Pos(), 30);
    dialog.SetRange(0, 0);
    dialog.SetPos(896);
    EXPECT_EQ(dialog.PercentText(), "50%");
}

// The dialogs of the kind asked for that are on screen.
template <typename Dialog>
QList<Dialog*> ShownDialogs()
{
    QList<Dialog*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
            shown.append(dialog);
    return shown;
}

TEST(ProgressDialogs, BindingProgressShowsInTheApplicationsDialogsUntilThePhaseEnds)
{
    CWFApp app;
    {
        BindProgress progress(BindProgress::Percent, QStringLiteral("Binding Data"),
                              QStringLiteral("Binding cardholders"), 10);
        progress.SetPos(5);
        const QList<CPercentProgressDlg*> shown = ShownDialogs<CPercentProgressDlg>();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0]->windowTitle(), "Binding Data");
        EXPECT_EQ(shown[0]->Status(), "Binding cardholders");
        EXPECT_EQ(shown[0]->PercentText(), "50%");
    }
    EXPECT_TRUE(ShownDialogs<CProgressBase>().isEmpty());
    {
        BindProgress progress(BindProgress::Plain, QStringLiteral("Generating Net Commands"), QString(), 4);
        progress.SetPos(3);
        const QList<CProgressDlg*> shown = ShownDialogs<CProgressDlg>();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0]->Pos(), 3);
    }
    EXPECT_TRUE(ShownDialogs<CProgressBase>().isEmpty());
}

TEST(ListControls, ColouredModePicksTheRowColour)
{
    CListCtrlEx list;
    list.SetTextColor(Qt::black);
    EXPECT_FALSE(list.RowTextColor(2).isValid());
    list.SetExtendedMode(CListCtrlEx::kColouredMode);
    const struct
    {
        int image;
        QColor color;
    } cases[] = {{0, Qt::black}, {1, QColor(255, 0, 0)}, {2, QColor(0, 128, 0)}, {3, QColor(0, 0, 255)},
                 {4, QColor(255, 0, 255)}, {5, Qt::black}, {-1, Qt::black}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        EXPECT_EQ(list.RowTextColor(c.image), c.color);
    }

    CListCtrlEx2 list2;
    list2.SetTextColor(Qt::black);
    list2.SetExtendedMode(CListCtrlEx::kColouredMode);
    EXPECT_EQ(list2.RowTextColor(0x83), QColor(0, 0, 255));
    EXPECT_EQ(list2.RowTextColor(0x03), QColor(Qt::black));
    EXPECT_EQ(list2.IconIndex(0x83), 3);
}

// The share of a rectangle's pixels that satisfy the test.
template <typename Test>
double Share(const QImage& image, const QRect& rect, Test test)
{
    int hits = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            hits += test(image.pixelColor(x, y)) ? 1 : 0;
    return static_cast<double>(hits) / (rect.width() * rect.height());
}

TEST(ListControls, PaintsRowsInTheirColourAndTheSelectionHighlighted)
{
    CListCtrlEx list;
    list.setColumnCount(2);
    list.SetTextColor(Qt::black);
    list.SetTextBkColor(Qt::white);
    list.SetExtendedMode(CListCtrlEx::kColouredMode);
    auto* green = new QTreeWidgetItem(&list, {"Green row with a long text", "1234567890"});
    green->setData(0, CListCtrlEx::kImageIndexRole, 2);
    green->setTextAlignment(1, Qt::AlignRight);
    auto* selected = new QTreeWidgetItem(&list, {"Selected", "42"});
    list.setColumnWidth(0, 80);
    list.resize(240, 120);
    list.setCurrentItem(selected);
    const QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect greenRow = list.visualItemRect(green).intersected(image.rect());
    const QRect selectedRow = list.visualItemRect(selected).intersected(image.rect());
    ASSERT_FALSE(greenRow.isEmpty());
    ASSERT_FALSE(selectedRow.isEmpty());

    const auto greenish = [](const QColor& c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; };
    EXPECT_GT(Share(image, greenRow, greenish), 0.0) << "the row's text is drawn in its colour";
    EXPECT_GT(Share(image, greenRow, [](const QColor& c) { return c == Qt::white; }), 0.5)
        << "on the list's background";
    const QColor highlight = list.palette().color(QPalette::Highlight);
    EXPECT_GT(Share(image, selectedRow, [&highlight](const QColor& c) { return c == highlight; }), 0.5);
    EXPECT_EQ(Share(image, selectedRow, greenish), 0.0);
}

// Half of each channel from the picture, half from the blend colour.
bool IsHalfBlend(const QColor& drawn, const QColor& picture, const QColor& blend)
{
    const auto near = [](int got, int a, int b) { return std::abs(got - (a + b) / 2) <= 3; };
    return near(drawn.red(), picture.red(), blend.red()) && near(drawn.green(), picture.green(), blend.green())
        && near(drawn.blue(), picture.blue(), blend.blue());
}

TEST(ListControls, RowStatesBlendTheIconAndStateImagesTakeTheirPlace)
{
    constexpr int kStateWidth = 12;
    CListCtrlEx list;
    list.setColumnCount(2);
    list.SetBkColor(Qt::white);
    list.SetTextBkColor(Qt::white);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    list.SetSmallImageList({QIcon(red)});
    QPixmap green(kStateWidth, 16);
    green.fill(Qt::green);
    QPixmap blue(kStateWidth, 16);
    blue.fill(Qt::blue);
    list.SetStateImageList({green, blue});
    EXPECT_EQ(list.StateImageOffset(), kStateWidth);

    const QColor highlight = list.palette().color(QPalette::Highlight);
    const struct
    {
        const char* name;
        int state;
        bool current;
        QColor stateArea;
        std::function<bool(const QColor&)> icon;
    } rows[] = {
        {"plain", 0, false, Qt::white, [](const QColor& c) { return c == QColor(Qt::red); }},
        {"cut", CListCtrlEx::kCutState, false, Qt::white,
         [](const QColor& c) { return IsHalfBlend(c, Qt::red, Qt::white); }},
        {"selected", 0, true, highlight, [&](const QColor& c) { return IsHalfBlend(c, Qt::red, highlight); }},
        {"drop target", CListCtrlEx::kDropHilitedState, false, highlight,
         [&](const QColor& c) { return IsHalfBlend(c, Qt::red, highlight); }},
        {"cut and selected", CListCtrlEx::kCutState, true, highlight,
         [](const QColor& c) { return IsHalfBlend(c, Qt::red, Qt::white); }},
        {"state image 2", 2 << CListCtrlEx::kStateImageShift, false, Qt::blue,
         [](const QColor& c) { return c == QColor(Qt::red); }},
        {"state image past the list", 7 << CListCtrlEx::kStateImageShift, false, Qt::white,
         [](const QColor& c) { return c == QColor(Qt::red); }},
    };
    QList<QTreeWidgetItem*> items;
    for (const auto& row : rows) {
        auto* item = new QTreeWidgetItem(&list, {QString::fromLatin1(row.name), "1"});
        item->setData(0, CListCtrlEx::kImageIndexRole, 0);
        item->setData(0, CListCtrlEx::kStateRole, row.state);
        item->setSelected(row.current);
        items << item;
    }
    list.setColumnWidth(0, 160);
    list.resize(300, 260);
    const QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (qsizetype i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const QRect rect = list.visualItemRect(items[i]);
        ASSERT_TRUE(image.rect().contains(rect));
        const int y = rect.center().y();
        EXPECT_EQ(image.pixelColor(rect.left() + kStateWidth / 2, y), rows[i].stateArea);
        const QColor icon = image.pixelColor(rect.left() + kStateWidth + 8, y);
        EXPECT_TRUE(rows[i].icon(icon)) << icon.name().toStdString();
    }
}

} // namespace

namespace {

TEST(SmallControls, BackupFolderLabelIsTheFolderFieldsMnemonic)
{
    CBackupDlg dialog(QStringLiteral("/media/backup"));
    QLabel* select = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().startsWith(QLatin1String("&Select")))
            select = label;
    }
    ASSERT_NE(select, nullptr);
    auto* folder = qobject_cast<QLineEdit*>(select->buddy());
    ASSERT_NE(folder, nullptr) << "without a buddy the label shows a literal &";
    EXPECT_EQ(folder->text(), QStringLiteral("/media/backup"));
}

TEST(SmallControls, ClickButtonIgnoresTheMouseButNotTheKeyboard)
{
    CClickButton button(QStringLiteral("Door 1"));
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    const QPointF centre = QRectF(button.rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, centre, button.mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &e);
    }
    EXPECT_EQ(clicks, 0);
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&button, &e);
    }
    EXPECT_EQ(clicks, 1);
}

TEST(SmallControls, ClampedPickerKeepsItsLowerLimitAndShowsNow)
{
    FixedClock clock(QDateTime(QDate(2026, 4, 2), QTime(8, 30), QTimeZone::utc()));
    Clock::Install(&clock);
    CClampDateTimeCtrl picker;
    picker.setTimeSpec(Qt::UTC);
    picker.setMinimumDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc()));
    picker.SetTimeClamped();
    Clock::Install(nullptr);
    EXPECT_EQ(picker.minimumDate(), QDate(2000, 1, 1));
    EXPECT_EQ(picker.maximumDate(), QDate(2088, 12, 31));
    EXPECT_EQ(picker.date(), QDate(2026, 4, 2));
}

} // namespace
