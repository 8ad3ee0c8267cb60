#include "config/CTabTimeCalendar.h"

#include "common/SharedHelpers.h"
#include "common/Vocabulary.h"
#include "config/PageLayout.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kDaysInLongestMonth = 31;
constexpr int kMonths = 12;
const QString kClockMask = QStringLiteral("99:99");
constexpr int kClockFieldWidth = 60;

} // namespace

CTabTimeCalendar::CTabTimeCalendar(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_model(doc)
{
    setObjectName(QStringLiteral("CTabTimeCalendar"));
    m_model.Load();
    m_mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    auto* layout = new QVBoxLayout(this);

    auto* downlight = new QGroupBox(QStringLiteral("Downlight on/off time"), this);
    auto* times = new QFormLayout(downlight);
    m_on = new QLineEdit(downlight);
    m_off = new QLineEdit(downlight);
    for (QLineEdit* field : {m_on, m_off}) {
        field->setInputMask(kClockMask);
        field->setMaximumWidth(kClockFieldWidth);
        field->setEnabled(m_mayChange);
    }
    m_on->setText(m_model.m_downlightOn);
    m_off->setText(m_model.m_downlightOff);
    times->addRow(QStringLiteral("On:"), m_on);
    times->addRow(QStringLiteral("Off:"), m_off);
    layout->addWidget(downlight);

    auto* holidays = new QGroupBox(QStringLiteral("Holidays"), this);
    auto* holidayLayout = new QGridLayout(holidays);
    holidayLayout->addWidget(MakeHolidayGroup(QStringLiteral("Expiring Holidays"), true), 0, 0);
    holidayLayout->addWidget(MakeHolidayGroup(QStringLiteral("Non-Expiring Holidays"), false), 0, 1);
    auto* date = new QHBoxLayout;
    m_month = new QComboBox(holidays);
    for (int m = 1; m <= kMonths; ++m)
        m_month->addItem(MonthName(m));
    m_day = new QComboBox(holidays);
    for (int d = 1; d <= kDaysInLongestMonth; ++d)
        m_day->addItem(QString::number(d));
    m_year = new QComboBox(holidays);
    for (int year : m_model.Years())
        m_year->addItem(QString::number(year));
    m_month->setCurrentIndex(m_model.m_monthIndex);
    m_day->setCurrentIndex(m_model.m_dayIndex);
    m_year->setCurrentIndex(m_model.m_yearIndex);
    date->addWidget(m_month);
    date->addWidget(m_day);
    date->addWidget(m_year);
    holidayLayout->addLayout(date, 1, 0, 1, 2);
    layout->addWidget(holidays);
    layout->addStretch();

    connect(m_month, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.m_monthIndex = i; });
    connect(m_day, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.m_dayIndex = i; });
    connect(m_year, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.m_yearIndex = i; });
    ShowList(false, -1);
    ShowList(true, -1);
}

QWidget* CTabTimeCalendar::MakeHolidayGroup(const QString& title, bool expiring)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QGridLayout(box);
    auto* list = new QListWidget(box);
    auto* add = new QPushButton(QStringLiteral("<< Add"), box);
    auto* remove = new QPushButton(QStringLiteral("Delete"), box);
    add->setEnabled(m_mayChange);
    remove->setEnabled(m_mayChange);
    layout->addWidget(list, 0, 0, 3, 1);
    layout->addWidget(add, 0, 1);
    layout->addWidget(remove, 1, 1);
    (expiring ? m_expiringList : m_nonExpiringList) = list;
    (expiring ? m_addExpiring : m_addNonExpiring) = add;
    (expiring ? m_deleteExpiring : m_deleteNonExpiring) = remove;
    connect(add, &QPushButton::clicked, this, [this, expiring] { OnAdd(expiring); });
    connect(remove, &QPushButton::clicked, this, [this, expiring] { OnDelete(expiring); });
    return box;
}

void CTabTimeCalendar::ShowList(bool expiring, int selected)
{
    const CHolidayList& entries = expiring ? m_model.m_expiring : m_model.m_nonExpiring;
    QListWidget* list = List(expiring);
    list->clear();
    for (int i = 0; i < entries.Count(); ++i) {
        auto* item = new QListWidgetItem(entries.Text(i), list);
        item->setData(Qt::UserRole, entries.Data(i));
    }
    list->setCurrentRow(selected);
    AddButton(expiring)->setEnabled(m_mayChange && entries.CanAdd());
}

void CTabTimeCalendar::OnAdd(bool expiring)
{
    const bool added = expiring ? m_model.AddExpiring() : m_model.AddNonExpiring();
    if (added)
        ShowList(expiring, (expiring ? m_model.m_expiring : m_model.m_nonExpiring).Count() - 1);
}

void CTabTimeCalendar::OnDelete(bool expiring)
{
    CHolidayList& entries = expiring ? m_model.m_expiring : m_model.m_nonExpiring;
    QListWidget* list = List(expiring);
    const int row = list->selectedItems().isEmpty() ? -1 : list->currentRow();
    if (m_model.Delete(entries, row))
        ShowList(expiring, -1);
}

void CTabTimeCalendar::Store()
{
    m_model.m_downlightOn = m_on->text();
    m_model.m_downlightOff = m_off->text();
    m_model.Store();
}
