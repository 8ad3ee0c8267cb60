#include "zonectl/CQZFontPage.h"

#include "zonectl/QZIdentifiers.h"

#include <QFontDialog>
#include <QVBoxLayout>

CQZFontPage::CQZFontPage(QWidget* parent) : CQZPage(parent), m_font(new QFontDialog(this))
{
    m_font->setWindowFlags(Qt::Widget);
    m_font->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_font);
}

QString CQZFontPage::Caption() const
{
    return tr("Font");
}

void CQZFontPage::Apply()
{
    SetOnEvery(QZ::DISPID_FONT, m_font->currentFont());
}

void CQZFontPage::LoadFrom(ZcObject* object)
{
    m_font->setCurrentFont(GetProperty(object, QZ::DISPID_FONT).value<QFont>());
}
