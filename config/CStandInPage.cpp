#include "config/CStandInPage.h"

#include <QLabel>
#include <QVBoxLayout>

CStandInPage::CStandInPage(const QString& pageClass, QWidget* parent) : QWidget(parent)
{
    setObjectName(pageClass);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("This page is not available yet."), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
}
