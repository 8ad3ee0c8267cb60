#include "app/CPlaceholderView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

struct Area
{
    const char* className;
    const char* name;
};

constexpr Area kAreas[] = {
    {"CRPNetworkStatusForm", "Network Status"},
    {"CMenuMonitorDlg", "Monitor and Control"},
    {"CMonitorForm", "Monitor and Control"},
};

} // namespace

CPlaceholderView::CPlaceholderView(const QString& className, QWidget* parent) : CPaneView(parent)
{
    setObjectName(className);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(AreaName(className), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* text = new QLabel(tr("This part of Wardix is not available yet."), this);
    text->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addStretch();
}

QString CPlaceholderView::AreaName(const QString& className)
{
    for (const Area& a : kAreas) {
        if (className == QLatin1String(a.className))
            return QString::fromLatin1(a.name);
    }
    return className;
}
