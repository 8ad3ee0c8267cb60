#include "app/CColumnWidths.h"
#include "platform/WindowMessages.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/HeaderTitleStyle.h"
#include "reports/lists/ReportColumns.h"
#include "tests/reports/ReportFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QTreeView>

namespace {

// Table entries of the transmitter-block columns.
constexpr int kFirstEntry = 17;
constexpr int kLastEntry = 21;

class ListViewTest : public ReportFixture
{
protected:
    // A press or release on the divider after the first column.
    void Mouse(QEvent::Type type)
    {
        QHeaderView* header = view->List()->header();
        const QPointF at(header->sectionViewportPosition(1), header->height() / 2);
        QWidget* viewport = header->viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    CColumnWidths widths;
    std::unique_ptr<CRPListView> view = std::make_unique<CRPListView>(widths);
};

} // namespace

TEST_F(ListViewTest, ANewViewShowsNothingUntilAKindIsChosen)
{
    m_doc.SetReportKind(kReportKindBlockCards);
    EXPECT_EQ(view->List()->model()->columnCount(), 5);
    CRPListView second(widths);
    EXPECT_EQ(m_doc.GetReportKind(), 0);
    EXPECT_EQ(second.List()->model()->columnCount(), 0);
    EXPECT_TRUE(second.Report().Title().isEmpty());
    EXPECT_EQ(view->List()->model()->columnCount(), 0) << "every view of the installation is refreshed";
}

TEST_F(ListViewTest, ADividerDragStoresTheWidthsAtItsEndAndClosingStoresTheRest)
{
    view->resize(800, 400);
    view->show();
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    QHeaderView* header = view->List()->header();
    Mouse(QEvent::MouseButtonPress);
    header->resizeSection(0, 140);
    header->resizeSection(4, 240);
    EXPECT_EQ(widths.GetWidth(kFirstEntry), 51) << "nothing is stored while the divider moves";
    Mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(widths.GetWidth(kFirstEntry), 140);
    EXPECT_EQ(widths.GetWidth(kLastEntry), 162) << "the last column waits";

    // A press on the divider that moves nothing stores nothing.
    widths.SetWidth(kFirstEntry, 99);
    Mouse(QEvent::MouseButtonPress);
    Mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(widths.GetWidth(kFirstEntry), 99);

    SendAppMessage(view.get(), Msg::WM_CLOSE);
    EXPECT_EQ(widths.GetWidth(kFirstEntry), 140);
    EXPECT_EQ(widths.GetWidth(kLastEntry), 240);
    EXPECT_EQ(view->List()->model()->columnCount(), 0);
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    EXPECT_EQ(view->List()->model()->columnCount(), 0) << "a closed view is no longer refreshed";
}

TEST_F(ListViewTest, AColumnTitleTooWideForItsColumnShowsItsStart)
{
    m_doc.SetReportKind(kReportKindEntryCodes);
    QHeaderView* header = view->List()->header();
    ASSERT_NE(dynamic_cast<const HeaderTitleStyle*>(header->style()), nullptr);
    const QFontMetrics metrics(header->font());
    const QString title = QStringLiteral("Cardholder Set Status");
    const int needed = metrics.horizontalAdvance(title);
    const struct
    {
        Qt::Alignment alignment;
        int width;
        bool fits;
    } cases[] = {
        {Qt::AlignHCenter, needed, true},
        {Qt::AlignHCenter, needed - 1, false},
        {Qt::AlignHCenter, 40, false},
        {Qt::AlignLeft, 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        QStyleOptionHeader option;
        option.initFrom(header);
        option.text = title;
        option.textAlignment = c.alignment | Qt::AlignVCenter;
        option.rect = QRect(0, 0, c.width, 20);
        HeaderTitleStyle::FitTitle(option);
        EXPECT_LE(metrics.horizontalAdvance(option.text), c.width);
        if (c.fits) {
            EXPECT_EQ(option.text, title);
            EXPECT_EQ(option.textAlignment, c.alignment | Qt::AlignVCenter);
        } else {
            EXPECT_TRUE(option.text.endsWith(QChar(0x2026))) << option.text.toStdString();
            EXPECT_TRUE(title.startsWith(option.text.chopped(1))) << option.text.toStdString();
            EXPECT_EQ(option.textAlignment, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
}
