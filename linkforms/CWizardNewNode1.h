#pragma once

#include "linkforms/NewNodeNames.h"

#include <QWizardPage>

#include <array>

class QLineEdit;

// "Step 1 of 2, Names": the controller's name and its four channel names.
class CWizardNewNode1 : public QWizardPage
{
    Q_OBJECT
public:
    enum Control { IdControllerName = 1108, IdChannelA = 1124, IdChannelB = 1144, IdChannelC = 1155, IdChannelD = 1162 };

    explicit CWizardNewNode1(QWidget* parent = nullptr);

    void initializePage() override;
    // Refuses a name the controller cannot hold, keeping the page.
    bool validatePage() override;
    // The names as typed, an empty channel name back at its default.
    NewNodeNames Names() const;

private:
    QLineEdit* m_controller = nullptr;
    std::array<QLineEdit*, NewNodeNames::kChannels> m_channels{};
};
