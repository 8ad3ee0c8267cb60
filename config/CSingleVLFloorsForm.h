#pragma once

#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>
#include <cstdint>

class CTabCab;
class CTabCabGeneral;
class CWFDoc;
class QTabWidget;

// The elevator control of one node: a page per cab and the relay
// activation time. A cab page saves when it is hidden and on Apply and
// reads the floor rows afresh when it is shown.
class CSingleVLFloorsForm : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    static constexpr int kCabs = 4;

    explicit CSingleVLFloorsForm(CWFDoc& doc, QWidget* parent = nullptr);

    // Apply: every cab page saves, the General page stores.
    void Store() override;
    // The node form shows this tab: the cab pages follow the device rows.
    void RefreshCabs();
    // The node form hides this tab: the cab page shown saves.
    void PageHidden();
    // After it nothing more is saved.
    void OnCancel();
    // Loads another controller and builds the pages for it; false, having
    // said why, when its image cannot be loaded.
    bool SelectNode(std::int32_t vestrelId);
    // Whether that cab's page shows the relay ticked; says so when it does.
    bool IsRelayUsedByOtherCab(int cab, int module, int relay);

    QTabWidget* Tabs() const { return m_tabs; }
    CTabCab* CabPage(int cab) const { return m_cabs[static_cast<size_t>(cab - 1)]; }
    CTabCabGeneral* GeneralPage() const { return m_general; }

protected:
    bool event(QEvent* e) override;

private:
    void CreatePages();
    void OnTabChanged(int index);

    CWFDoc& m_doc;
    QTabWidget* m_tabs = nullptr;
    std::array<CTabCab*, kCabs> m_cabs{};
    CTabCabGeneral* m_general = nullptr;
    int m_shown = 0;
};
