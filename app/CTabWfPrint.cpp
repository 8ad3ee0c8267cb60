#include "app/CTabWfPrint.h"

#include "common/SharedHelpers.h"
#include "database/SetupPrivileges.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

CTabWfPrint::CTabWfPrint(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Printer"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Printer Fonts"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_courier = new QRadioButton(QStringLiteral("Courier New"), group);
    m_times = new QRadioButton(QStringLiteral("Times New Roman"), group);
    groupLayout->addWidget(m_courier);
    groupLayout->addWidget(m_times);
    groupLayout->addWidget(new QLabel(QStringLiteral("(Landscape mode recommended.)"), group));
    for (const char* note : {"The Courier New font is the default and is best used with inkjet printers such as the "
                             "HP DeskJet series.",
                             "If you are using a LaserJet printer you may have better results with the Times New "
                             "Roman font."}) {
        auto* label = new QLabel(QLatin1String(note), group);
        label->setWordWrap(true);
        groupLayout->addWidget(label);
    }
    layout->addWidget(group);
    layout->addStretch();
    connect(m_courier, &QRadioButton::clicked, this, &CTabWfPrint::OnCourierNew);
    connect(m_times, &QRadioButton::clicked, this, &CTabWfPrint::OnTimesNewRoman);
}

void CTabWfPrint::UpdateData(bool save)
{
    if (save) {
        m_nCourierFont = m_courier->isChecked() ? 1 : 0;
        return;
    }
    m_courier->setChecked(m_nCourierFont != 0);
    m_times->setChecked(m_nCourierFont == 0);
}

void CTabWfPrint::OnInitDialog()
{
    UpdateData(false);
    const bool allowed = OperatorHasPrivilege(SetupPrivilege::AllGlobalProgramming);
    m_courier->setEnabled(allowed);
    m_times->setEnabled(allowed);
}

void CTabWfPrint::OnCourierNew()
{
    OnFontClicked(m_courier, m_times, 1);
}

void CTabWfPrint::OnTimesNewRoman()
{
    OnFontClicked(m_times, m_courier, 0);
}

void CTabWfPrint::OnFontClicked(QRadioButton* clicked, QRadioButton* other, int flagWhenChecked)
{
    UpdateData(true);
    if (clicked->isChecked()) {
        m_nCourierFont = flagWhenChecked;
    } else {
        other->setChecked(true);
        m_nCourierFont = 1 - flagWhenChecked;
    }
    UpdateData(false);
}

void CTabWfPrint::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
}
