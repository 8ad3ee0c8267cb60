#pragma once

#include "app/CPaneView.h"
#include "common/ICommControlForm.h"

class QLabel;

// The lower left pane until the panel link exists: never connected. The
// program command and step run the programming run, which stores the
// commands; the steps that need the link end at once without doing their work,
// so a task run still ends (their results stay "not done"). The backup step
// needs no link and runs the document's backup.
class CCommControlStub : public CPaneView, public ICommControlForm
{
    Q_OBJECT
public:
    explicit CCommControlStub(QWidget* parent = nullptr);
    ~CCommControlStub() override;

    bool IsConnected() const override { return false; }
    void Disconnect() override {}
    int GoOnline() override { return 0; }
    // Without a link nothing is sent: queued commands wait in the queue.
    void ServiceQueue() override {}

    // Non-zero hides the control group.
    Q_INVOKABLE void ShowControls(int hide);
    QString StatusText() const;

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;

private:
    // The programming run of the open installation: its commands are stored.
    void RunProgramming();

    QWidget* m_controls = nullptr;
    QLabel* m_status = nullptr;
};
