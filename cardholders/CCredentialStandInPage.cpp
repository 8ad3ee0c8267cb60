#include "cardholders/CCredentialStandInPage.h"

#include <QLabel>
#include <QVBoxLayout>

CCredentialStandInPage::CCredentialStandInPage(const QString& title, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("%1: this part of Wardix is not available yet.").arg(title), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
}
