#include "app/CPaneView.h"

#include "platform/WindowMessages.h"

CPaneView::CPaneView(QWidget* parent) : QWidget(parent)
{
}

bool CPaneView::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QWidget::event(e);
    auto* m = static_cast<AppMessageEvent*>(e);
    if (m->msg == Msg::WM_CLOSE)
        close();
    else
        m->result = OnAppMessage(m->msg, m->wParam, m->lParam);
    return true;
}

qintptr CPaneView::OnAppMessage(unsigned, quintptr, qintptr)
{
    return 0;
}
