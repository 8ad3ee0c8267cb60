#pragma once

#include <QWidget>

class CWFDoc;
class QPushButton;

// The Advanced page of the Setup sheet: clearing the network command queue.
class CTabWfAdvance : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWfAdvance(CWFDoc& doc, QWidget* parent = nullptr);

    QPushButton* ClearQueueButton() const { return m_clearQueue; }

public slots:
    void OnClearQueue();

private:
    CWFDoc& m_doc;
    QPushButton* m_clearQueue = nullptr;
};
