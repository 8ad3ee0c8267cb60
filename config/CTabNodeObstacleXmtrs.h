#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/ObstacleTransmitter.h"

#include <QWidget>

#include <array>

class CVLControllerMemory;
class QLineEdit;
class QPushButton;

// The Obstacle Transmitters page of node setup: OBTx1 works relay C, OBTx2
// relay D.
class CTabNodeObstacleXmtrs : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    static constexpr int kTransmitters = 2;

    CTabNodeObstacleXmtrs(CVLControllerMemory& image, QWidget* parent = nullptr);

    void Store() override;
    bool CheckPanelTexts() const override;

    QLineEdit* FacilityField(int row) const { return m_rows[row].facility; }
    QLineEdit* IdField(int row) const { return m_rows[row].id; }
    QLineEdit* NameField(int row) const { return m_rows[row].name; }
    QPushButton* RemoveButton(int row) const { return m_rows[row].remove; }

private:
    struct Row
    {
        QLineEdit* facility = nullptr;
        QLineEdit* id = nullptr;
        QLineEdit* name = nullptr;
        QPushButton* remove = nullptr;
    };

    void Show(int row, const ObstacleTransmitter& transmitter);
    void Remove(int row);
    // A value outside its range is said, becomes 0 and is selected.
    static void CheckField(QLineEdit* field, int max);

    CVLControllerMemory& m_image;
    std::array<Row, kTransmitters> m_rows{};
};
