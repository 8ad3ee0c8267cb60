#include "zonectl/CQZColorPage.h"

#include "zonectl/QZIdentifiers.h"

#include <QColorDialog>
#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

CQZColorPage::CQZColorPage(QWidget* parent)
    : CQZPage(parent), m_property(new QComboBox(this)), m_colour(new QColorDialog(this))
{
    m_property->addItem(QString::fromLatin1(QZ::kPersistBackColor), QZ::DISPID_BACKCOLOR);
    m_property->addItem(QString::fromLatin1(QZ::kPersistForeColor), QZ::DISPID_FORECOLOR);
    m_colour->setWindowFlags(Qt::Widget);
    m_colour->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_property);
    layout->addWidget(m_colour);
    connect(m_property, &QComboBox::currentIndexChanged, this, &CQZColorPage::ShowCurrent);
    connect(m_colour, &QColorDialog::currentColorChanged, this,
            [this](const QColor& colour) { m_values[CurrentDispid()] = colour; });
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
    const QSignalBlocker blocker(m_colour);
    m_colour->setCurrentColor(m_values.value(CurrentDispid()));
}
