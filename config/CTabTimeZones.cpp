#include "config/CTabTimeZones.h"

#include "app/CToolTipCtrlEx.h"
#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/CScheduleBar.h"
#include "config/CScheduleBarSource.h"
#include "config/PageLayout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

CTabTimeZones::CTabTimeZones(CWFDoc& doc, const char* pageClass, int firstZone, int lastZone, CScheduleBarSource& bars,
                             QWidget* parent)
    : QWidget(parent), m_doc(doc), m_firstZone(firstZone)
{
    setObjectName(QString::fromLatin1(pageClass));
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    // One grid, so that each zone's boxes and bar share a row.
    auto* grid = new QGridLayout(this);
    constexpr int kBarColumn = ValidDays::kColumns + 1;
    grid->addWidget(new QLabel(QStringLiteral("Valid Days"), this), 0, 1, 1, ValidDays::kColumns, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Valid Time Periods"), this), 0, kBarColumn, Qt::AlignHCenter);
    for (int c = 0; c < ValidDays::kColumns; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(ValidDays::kColumnHeads[c]), this), 1, c + 1, Qt::AlignHCenter);
    CToolTipCtrlEx tooltips;
    for (int zone = firstZone; zone <= lastZone; ++zone) {
        const int row = zone - firstZone + 2;
        grid->addWidget(new QLabel(QString::number(zone), this), row, 0);
        const ValidDays::Boxes valid = ValidDays::Load(doc, zone);
        std::array<QCheckBox*, ValidDays::kColumns>& boxes = m_days.emplace_back();
        for (int c = 0; c < ValidDays::kColumns; ++c) {
            boxes[c] = new QCheckBox(this);
            boxes[c]->setChecked(valid[c]);
            boxes[c]->setEnabled(mayChange);
            tooltips.AddWindowTool(boxes[c], ValidDays::Tooltip(c, zone));
            grid->addWidget(boxes[c], row, c + 1);
        }
        std::unique_ptr<CScheduleBar>& bar = m_bars.emplace_back(bars.Create(this));
        const bool first = zone == firstZone;
        bar->Widget()->setMinimumWidth(PageLayout::kBarMinimumWidth);
        bar->Widget()->setFixedHeight(first ? PageLayout::kTallBarHeight : PageLayout::kBarHeight);
        bar->SetTimeZoneNumber(zone);
        bar->SetShowToolTip(true);
        bar->SetShowTimeScale(first);
        bar->SetActive(mayChange);
        if (ILongProperties* properties = bar->Properties()) {
            std::array<std::uint8_t, 20> record{};
            doc.ExchangeTimeZone(record, *properties, zone, 1);
        }
        grid->addWidget(bar->Widget(), row, kBarColumn);
    }
    grid->setRowStretch(lastZone - firstZone + 3, 1);
    grid->setColumnStretch(kBarColumn, 1);
}

CTabTimeZones::~CTabTimeZones() = default;

void CTabTimeZones::Store()
{
    for (std::size_t row = 0; row < m_days.size(); ++row) {
        const int zone = m_firstZone + static_cast<int>(row);
        ValidDays::Boxes valid{};
        for (int c = 0; c < ValidDays::kColumns; ++c)
            valid[c] = m_days[row][c]->isChecked();
        ValidDays::Store(m_doc, zone, valid);
        // Without a bar the stored periods stay as they are.
        if (ILongProperties* properties = m_bars[row]->Properties()) {
            std::array<std::uint8_t, 20> record{};
            m_doc.ExchangeTimeZone(record, *properties, zone, 0);
        }
    }
}

QCheckBox* CTabTimeZones::DayBox(int zone, int column) const
{
    const int row = zone - m_firstZone;
    if (row < 0 || row >= static_cast<int>(m_days.size()) || column < 0 || column >= ValidDays::kColumns)
        return nullptr;
    return m_days[row][column];
}

CScheduleBar* CTabTimeZones::Bar(int zone) const
{
    const int row = zone - m_firstZone;
    if (row < 0 || row >= static_cast<int>(m_bars.size()))
        return nullptr;
    return m_bars[row].get();
}
