#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QVBoxLayout;

// What both modeless progress dialogs share: the owner they disable while
// shown, the status line, the bar, and the message pumping before each move.
class CProgressBase : public QDialog
{
    Q_OBJECT
public:
    ~CProgressBase() override;

    // Shows the dialog; the parent's window is disabled while it is shown
    // unless it already was.
    bool Create(QWidget* parent);
    void Close();

    void SetStatus(const QString& text);
    void SetRange(int lower, int upper);
    // Leaves the status line alone to show progress.
    void HideBar();
    void SetStep(int step);
    // Each returns the previous position.
    int SetPos(int position);
    int OffsetPos(int delta);
    int StepIt();

    int Pos() const;
    QString Status() const;

protected:
    CProgressBase(const QString& caption, int step);
    QVBoxLayout* Layout() const { return m_layout; }
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // Called after the bar moved.
    virtual void OnMoved(int position);
    static void PumpMessages();
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Move(int position);

    QVBoxLayout* m_layout;
    QLabel* m_status;
    QProgressBar* m_bar;
    QPointer<QWidget> m_owner;
    bool m_disabledOwner = false;
    int m_lower = 0;
    int m_upper = 100;
    int m_step;
};
