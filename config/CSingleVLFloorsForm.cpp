#include "config/CSingleVLFloorsForm.h"

#include "app/CWFDoc.h"
#include "config/CTabCab.h"
#include "config/CTabCabGeneral.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

CSingleVLFloorsForm::CSingleVLFloorsForm(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CSingleVLFloorsForm"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CSingleVLFloorsForm::OnTabChanged);
    CreatePages();
}

void CSingleVLFloorsForm::CreatePages()
{
    const QSignalBlocker quiet(m_tabs);
    while (m_tabs->count() > 0) {
        QWidget* page = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete page;
    }
    // The controller that LoadControllerSettings made current: pages elsewhere
    // move the controllers recordset.
    std::uint8_t net = 0;
    std::uint8_t node = 0;
    m_doc.ControllerNetAddress(net);
    m_doc.ControllerNodeAddress(node);
    for (int cab = 1; cab <= kCabs; ++cab) {
        auto* page = new CTabCab(m_doc, cab, net, node,
                                 [this](int other, int module, int relay) { return IsRelayUsedByOtherCab(other, module, relay); });
        m_cabs[static_cast<size_t>(cab - 1)] = page;
        m_tabs->addTab(page, QStringLiteral("Cab %1").arg(cab));
    }
    m_general = new CTabCabGeneral(m_doc);
    m_tabs->addTab(m_general, QStringLiteral("General"));
    m_tabs->setCurrentIndex(0);
    m_shown = 0;
}

void CSingleVLFloorsForm::OnTabChanged(int index)
{
    if (m_shown >= 0 && m_shown < kCabs)
        m_cabs[static_cast<size_t>(m_shown)]->Save();
    m_shown = index;
    if (index >= 0 && index < kCabs)
        m_cabs[static_cast<size_t>(index)]->Refresh();
}

void CSingleVLFloorsForm::Store()
{
    for (CTabCab* cab : m_cabs)
        cab->Save();
    m_general->Store();
}

void CSingleVLFloorsForm::RefreshCabs()
{
    for (CTabCab* cab : m_cabs)
        cab->Refresh();
}

void CSingleVLFloorsForm::PageHidden()
{
    if (m_shown >= 0 && m_shown < kCabs)
        m_cabs[static_cast<size_t>(m_shown)]->Save();
}

void CSingleVLFloorsForm::OnCancel()
{
    for (CTabCab* cab : m_cabs)
        cab->SetCancelled();
}

bool CSingleVLFloorsForm::SelectNode(std::int32_t vestrelId)
{
    if (!m_doc.LoadControllerSettings(vestrelId)) {
        ShowMessageBox(QStringLiteral("Error loading Vestrel."));
        return false;
    }
    CreatePages();
    return true;
}

bool CSingleVLFloorsForm::IsRelayUsedByOtherCab(int cab, int module, int relay)
{
    if (cab < 1 || cab > kCabs || !CabPage(cab)->IsRelaySelected(module, relay))
        return false;
    ShowMessageBox(QStringLiteral("This relay is already selected for Cab%1.").arg(cab));
    return true;
}

bool CSingleVLFloorsForm::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QWidget::event(e);
    auto* m = static_cast<AppMessageEvent*>(e);
    if (m->msg == Msg::SelectNode)
        m->result = SelectNode(static_cast<std::int32_t>(m->wParam)) ? 1 : 0;
    return true;
}
