#include "app/CTabWFModemProberties.h"

#include "common/SharedHelpers.h"
#include "database/ITelephonyLines.h"
#include "database/SetupPrivileges.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
constexpr int kIconSize = 32;
} // namespace

CTabWFModemProberties::CTabWFModemProberties(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Dialing"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Connect using"), this);
    auto* row = new QHBoxLayout(group);
    m_icon = new QLabel(group);
    m_icon->setFixedSize(kIconSize, kIconSize);
    row->addWidget(m_icon);
    row->addWidget(new QLabel(QStringLiteral("Line:"), group));
    m_lines = new QComboBox(group);
    row->addWidget(m_lines, 1);
    layout->addWidget(group);
    m_properties = new QPushButton(QStringLiteral("Dialing properties..."), this);
    layout->addWidget(m_properties);
    layout->addStretch();
    connect(m_lines, &QComboBox::currentIndexChanged, this, &CTabWFModemProberties::OnSelectionChanged);
    connect(m_properties, &QPushButton::clicked, this, &CTabWFModemProberties::OnDialingProperties);
}

bool CTabWFModemProberties::FillLineList()
{
    m_bFilling = true;
    m_lines->clear();
    std::vector<ModemLine> lines;
    const bool filled = FillModemLineList(GetTelephonyLines(), m_nLineDevice, lines);
    for (const ModemLine& line : lines) {
        m_lines->addItem(line.name, line.device);
        if (line.device == m_nLineDevice)
            m_lines->setCurrentIndex(m_lines->count() - 1);
    }
    m_bFilling = false;
    return filled;
}

void CTabWFModemProberties::OnInitDialog()
{
    if (FillLineList())
        ShowLineIcon();
    const bool allowed = OperatorHasPrivilege(SetupPrivilege::ConfigureInstallation);
    m_lines->setEnabled(allowed);
    m_properties->setEnabled(allowed);
}

void CTabWFModemProberties::UpdateData(bool save)
{
    if (save && m_lines->currentIndex() >= 0)
        m_nLineDevice = m_lines->currentData().toInt();
}

void CTabWFModemProberties::OnSelectionChanged(int index)
{
    if (m_bFilling || index < 0)
        return;
    GetTelephonyLines().SetLinkLine(m_lines->itemData(index).toInt());
    ShowLineIcon();
}

void CTabWFModemProberties::OnDialingProperties()
{
    GetTelephonyLines().ShowDialingProperties(this);
}

void CTabWFModemProberties::ShowLineIcon()
{
    if (m_lines->currentIndex() < 0)
        return;
    // A line without an icon leaves the previous one shown.
    const QIcon icon = GetTelephonyLines().GetLineIcon(m_lines->currentData().toInt());
    if (!icon.isNull())
        m_icon->setPixmap(icon.pixmap(kIconSize, kIconSize));
}

void CTabWFModemProberties::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
}
