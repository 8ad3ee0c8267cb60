#pragma once

#include <QWidget>

#include <memory>

class CWFDoc;
class QDialog;
class QPushButton;

// The Advanced page of the Setup sheet: clearing the network command queue,
// and the Auto Pilot, which the page keeps while it lives.
class CTabWfAdvance : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWfAdvance(CWFDoc& doc, QWidget* parent = nullptr);
    ~CTabWfAdvance() override;

    QPushButton* ClearQueueButton() const { return m_clearQueue; }
    QPushButton* AutoPilotButton() const { return m_autoPilot; }
    QDialog* AutoPilotDialog() const { return m_autoPilotDialog.get(); }

public slots:
    void OnClearQueue();
    void OnAutoPilot();

private:
    CWFDoc& m_doc;
    QPushButton* m_clearQueue = nullptr;
    QPushButton* m_autoPilot = nullptr;
    std::unique_ptr<QDialog> m_autoPilotDialog;
};
