#pragma once

#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>

class CVLControllerMemory;
class QLineEdit;

// The Modem page of node setup: the controller's two init strings and its
// termination string, as its image keeps them.
class CTabNodeModem : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    static constexpr int kStrings = 3;

    CTabNodeModem(CVLControllerMemory& image, QWidget* parent = nullptr);

    // The form writes the strings into the image with the node's record.
    void Store() override {}
    bool CheckPanelTexts() const override;
    void WriteImage(CVLControllerMemory& image) const;

    // Modem string i: 0 init string 1, 1 init string 2, 2 termination.
    QLineEdit* StringField(int i) const { return m_fields[i]; }

private:
    std::array<QLineEdit*, kStrings> m_fields{};
};
