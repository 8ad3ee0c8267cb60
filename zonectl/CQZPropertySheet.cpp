#include "zonectl/CQZPropertySheet.h"

#include "zonectl/CQZColorPage.h"
#include "zonectl/CQZFontPage.h"
#include "zonectl/CQZPropPage.h"
#include "zonectl/QZIdentifiers.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The order the control lists its pages in.
constexpr const char* kPageClasses[] = {QZ::kClsidQZPropPage, QZ::kClsidStockColorPage, QZ::kClsidStockFontPage};

} // namespace

CQZPropertySheet::CQZPropertySheet(const std::vector<ZcObject*>& objects, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("%1 Properties").arg(QString::fromLatin1(QZ::kTypeNameQZCtrl)));
    auto* tabs = new QTabWidget(this);
    for (const char* clsid : kPageClasses) {
        CQZPage* page = CreatePage(clsid, tabs);
        page->SetObjects(objects);
        tabs->addTab(page, page->Caption());
        m_pages.push_back(page);
    }
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        ApplyAll();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &CQZPropertySheet::ApplyAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

CQZPage* CQZPropertySheet::CreatePage(const char* clsid, QWidget* parent)
{
    const QString id = QString::fromLatin1(clsid);
    const auto is = [&id](const char* other) { return id.compare(QLatin1String(other), Qt::CaseInsensitive) == 0; };
    if (is(QZ::kClsidQZPropPage))
        return new CQZPropPage(parent);
    if (is(QZ::kClsidStockColorPage))
        return new CQZColorPage(parent);
    if (is(QZ::kClsidStockFontPage))
        return new CQZFontPage(parent);
    return nullptr;
}

void CQZPropertySheet::ApplyAll()
{
    for (CQZPage* page : m_pages)
        page->Apply();
}
