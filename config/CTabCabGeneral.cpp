#include "config/CTabCabGeneral.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/IntegerField.h"
#include "config/PageLayout.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMaxSeconds = 255;

} // namespace

CTabCabGeneral::CTabCabGeneral(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CTabCabGeneral"));
    m_doc.ModuleActivationTime(m_value, 1);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Tovix Activation Time"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("Seconds:"), group));
    m_time = new QLineEdit(QString::number(m_value), group);
    m_spin = new QSpinBox(group);
    m_spin->setRange(0, kMaxSeconds);
    m_spin->setValue(m_value);
    row->addWidget(m_time);
    row->addWidget(m_spin);
    layout->addWidget(group);
    layout->addStretch(1);
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    m_time->setEnabled(mayChange);
    m_spin->setEnabled(mayChange);
    connect(m_time, &QLineEdit::textChanged, this, &CTabCabGeneral::CheckTime);
    connect(m_spin, &QSpinBox::valueChanged, this, [this](int value) { m_time->setText(QString::number(value)); });
}

void CTabCabGeneral::CheckTime()
{
    if (const std::optional<int> value = ReadIntegerField(m_time->text(), 0, kMaxSeconds)) {
        m_value = static_cast<std::uint8_t>(*value);
        const QSignalBlocker quiet(m_spin);
        m_spin->setValue(*value);
        return;
    }
    {
        const QSignalBlocker quiet(m_time);
        m_time->setText(QString::number(m_value));
    }
    m_time->setFocus();
    m_time->selectAll();
}

void CTabCabGeneral::Store()
{
    m_doc.ModuleActivationTime(m_value, 0);
}
