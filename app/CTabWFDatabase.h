#pragma once

#include <QWidget>

class CWFDoc;
class QLineEdit;
class QPushButton;

// The Database page of the Setup sheet: compacts the installation's
// databases, clears the event log and splits it at a date.
class CTabWFDatabase : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWFDatabase(CWFDoc& doc, QWidget* parent = nullptr);

    QLineEdit* DateEdit() const { return m_date; }
    QPushButton* OptimizeButton() const { return m_optimize; }
    QPushButton* ClearButton() const { return m_clear; }
    QPushButton* SplitButton() const { return m_split; }

public slots:
    void OnOptimize();
    void OnClearEventLog();
    void OnSplitEventLog();

private:
    void OnInitDialog();

    CWFDoc& m_doc;
    QLineEdit* m_date = nullptr;
    QPushButton* m_optimize = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_split = nullptr;
};
