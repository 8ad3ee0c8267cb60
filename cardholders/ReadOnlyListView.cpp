#include "cardholders/ReadOnlyListView.h"

#include "app/CListCtrlEx.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QVBoxLayout>

ReadOnlyListView::ReadOnlyListView(const QString& frame, QWidget* parent) : CPaneView(parent)
{
    auto* group = new QGroupBox(frame, this);
    m_list = new CListCtrlEx(group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [] {
        ShowMessageBox(QStringLiteral("This window is for viewing only.\n\n If you need to make changes, press the "
                                      "<F5> key to go to the Cardholders screen."));
    });
}
