#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// Asks for one period's begin and end as "hh:mm". After OK the caller reads
// Begin and End, which keep the values it gave unless both fields held times.
class CQZRangeDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CQZRangeDlg(QWidget* parent = nullptr);

    void SetLabel(const QString& text);
    void SetBegin(int minutes);
    void SetEnd(int minutes);
    int Begin() const { return m_begin; }
    int End() const { return m_end; }

    void accept() override;

private:
    QLabel* m_label;
    QLineEdit* m_beginEdit;
    QLineEdit* m_endEdit;
    int m_begin = 0;
    int m_end = 0;
};
