#pragma once

#include <QWidget>

// Base of every view the main frame puts into a pane: it takes the window
// messages the frame and the navigation forms send, and closes on WM_CLOSE.
class CPaneView : public QWidget
{
    Q_OBJECT
public:
    explicit CPaneView(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
    // A message other than WM_CLOSE; returns the result the sender sees.
    virtual qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam);
};
