#include "zonectl/CQZPropPage.h"

#include "zonectl/QZIdentifiers.h"

#include <QCheckBox>
#include <QVBoxLayout>

CQZPropPage::CQZPropPage(QWidget* parent) : CQZPage(parent), m_showTimeScale(new QCheckBox(tr("&Show Time Scale"), this))
{
    m_showTimeScale->setObjectName(QStringLiteral("ShowTimeScale"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_showTimeScale);
    layout->addStretch();
}

QString CQZPropPage::Caption() const
{
    return tr("General");
}

void CQZPropPage::Apply()
{
    SetOnEvery(QZ::DISPID_ShowTimeScale, m_showTimeScale->isChecked());
}

void CQZPropPage::LoadFrom(ZcObject* object)
{
    m_showTimeScale->setChecked(GetProperty(object, QZ::DISPID_ShowTimeScale).toBool());
}
