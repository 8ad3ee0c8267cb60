#pragma once

#include "app/CPaneView.h"
#include "config/CScheduleBarSource.h"

#include <cstdint>
#include <vector>

class CSingleVLFloorsForm;
class CTabNodeModem;
class CTabNodeNames;
class CWFDoc;
class INetworkSettingsPage;
class QPushButton;
class QTabWidget;

// One controller's settings in a right-pane view of eight pages, loaded by
// the node's identifier. Apply stores the pages into the controller's image
// and row and saves the image when it changed; Cancel leaves without storing;
// leaving after an Apply stores again and asks about the changes.
class CSingleVLSettingForm : public CPaneView
{
    Q_OBJECT
public:
    static constexpr int kPages = 8;

    explicit CSingleVLSettingForm(QWidget* parent = nullptr);
    ~CSingleVLSettingForm() override;

    // False, having said why, when the node's image cannot be loaded.
    bool Load(std::int32_t vestrelId);
    void OnApply();
    void OnCancel();

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPages();
    // The elevator pages save when their tab is left and follow the device
    // rows when it is shown.
    void OnTabChanged(int index);
    // Nothing is stored when a page refuses the text of one of its fields.
    bool StorePages();
    void SaveNodeRecord();
    // Writes the image file when the image changed, asking first about each
    // change with ask.
    void SaveImage(bool ask);

    CWFDoc* m_doc = nullptr;
    std::int32_t m_vestrelId = 0;
    CScheduleBarSource m_bars;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    CTabNodeNames* m_names = nullptr;
    CTabNodeModem* m_modem = nullptr;
    CSingleVLFloorsForm* m_elevator = nullptr;
    int m_shownTab = 0;
    std::vector<INetworkSettingsPage*> m_storeOrder;
    bool m_applied = false;
};
