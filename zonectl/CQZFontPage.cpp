#include "zonectl/CQZFontPage.h"

#include "zonectl/QZIdentifiers.h"

#include <QFontComboBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 72;

} // namespace

CQZFontPage::CQZFontPage(QWidget* parent)
    : CQZPage(parent), m_family(new QFontComboBox(this)), m_size(new QSpinBox(this))
{
    m_size->setRange(kSmallestSize, kLargestSize);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Font:"), m_family);
    layout->addRow(tr("&Size:"), m_size);
}

QString CQZFontPage::Caption() const
{
    return tr("Font");
}

void CQZFontPage::Apply()
{
    QFont font = m_family->currentFont();
    font.setPointSize(m_size->value());
    SetOnEvery(QZ::DISPID_FONT, font);
}

void CQZFontPage::LoadFrom(ZcObject* object)
{
    const QFont font = GetProperty(object, QZ::DISPID_FONT).value<QFont>();
    m_family->setCurrentFont(font);
    m_size->setValue(font.pointSize());
}
