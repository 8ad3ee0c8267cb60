#include "config/TabbedSheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TabbedSheet BuildTabbedSheet(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    TabbedSheet sheet{new QTabWidget(owner), new QPushButton(QStringLiteral("Apply"), owner),
                      new QPushButton(QStringLiteral("Cancel"), owner)};
    layout->addWidget(sheet.tabs, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sheet.apply);
    buttons->addWidget(sheet.cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    return sheet;
}
