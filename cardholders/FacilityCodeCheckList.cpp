#include "cardholders/FacilityCodeCheckList.h"

#include "app/CWFDoc.h"
#include "cardholders/CredentialTables.h"
#include "platform/MessageBox.h"

#include <QSignalBlocker>

namespace {

// The entry of the ninth code is laid out apart from the others.
constexpr int kOddEntry = 8;

// Each entry once ended in blanks padding its value to up to 86 places:
// they showed nothing and only made the list scroll sideways.
QString EntryText(int index, std::uint16_t value)
{
    const QString format = index == kOddEntry ? QStringLiteral(" [FC%1]   %2") : QStringLiteral(" [FC%1]  %2");
    return format.arg(QString::number(index + 1), QString::number(value));
}

} // namespace

FacilityCodeCheckList::FacilityCodeCheckList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemChanged, this, &FacilityCodeCheckList::OnItemChanged);
}

void FacilityCodeCheckList::Fill(CredentialKind kind, CWFDoc* doc)
{
    const QSignalBlocker block(this);
    clear();
    for (int i = 0; i < kFacilityCodeCount; ++i) {
        std::uint16_t value = 0;
        if (doc) {
            if (kind == CredentialKind::Card)
                doc->CardFacilityCode(value, i, 1);
            else
                doc->XmtrFacilityCode(value, i, 1);
        }
        auto* item = new QListWidgetItem(EntryText(i, value), this);
        item->setData(Qt::UserRole, i + 1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

std::vector<int> FacilityCodeCheckList::Ticked() const
{
    std::vector<int> ticked;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->checkState() == Qt::Checked)
            ticked.push_back(i + 1);
    }
    return ticked;
}

void FacilityCodeCheckList::OnItemChanged(QListWidgetItem* changed)
{
    if (changed->checkState() != Qt::Checked || static_cast<int>(Ticked().size()) <= kMaxFacilityCodes)
        return;
    ShowMessageBox(kTooManyFacilityCodes);
    const QSignalBlocker block(this);
    changed->setCheckState(Qt::Unchecked);
}
