#include "zonectl/CQZColorPage.h"

#include "zonectl/QZIdentifiers.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

CQZColorPage::CQZColorPage(QWidget* parent)
    : CQZPage(parent), m_property(new QComboBox(this)), m_choose(new QPushButton(this))
{
    m_property->addItem(QString::fromLatin1(QZ::kPersistBackColor), QZ::DISPID_BACKCOLOR);
    m_property->addItem(QString::fromLatin1(QZ::kPersistForeColor), QZ::DISPID_FORECOLOR);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Property Name:"), m_property);
    layout->addRow(tr("&Color:"), m_choose);
    connect(m_property, &QComboBox::currentIndexChanged, this, &CQZColorPage::ShowCurrent);
    connect(m_choose, &QPushButton::clicked, this, &CQZColorPage::ChooseColour);
}

QString CQZColorPage::Caption() const
{
    return tr("Color");
}

void CQZColorPage::Apply()
{
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        SetOnEvery(it.key(), it.value());
}

void CQZColorPage::LoadFrom(ZcObject* object)
{
    for (const std::int32_t dispid : {QZ::DISPID_BACKCOLOR, QZ::DISPID_FORECOLOR})
        m_values[dispid] = GetProperty(object, dispid).value<QColor>();
    ShowCurrent();
}

std::int32_t CQZColorPage::CurrentDispid() const
{
    return m_property->currentData().toInt();
}

void CQZColorPage::ShowCurrent()
{
    const QColor colour = m_values.value(CurrentDispid());
    m_choose->setText(colour.name());
    m_choose->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
}

void CQZColorPage::ChooseColour()
{
    const QColor colour = QColorDialog::getColor(m_values.value(CurrentDispid()), this);
    if (!colour.isValid())
        return;
    m_values[CurrentDispid()] = colour;
    ShowCurrent();
}
