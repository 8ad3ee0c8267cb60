#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

namespace {

class Receiver : public QObject
{
public:
    QList<std::tuple<unsigned, quintptr, qintptr>> received;

    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        auto* m = static_cast<AppMessageEvent*>(e);
        received.append({m->msg, m->wParam, m->lParam});
        m->result = static_cast<qintptr>(m->wParam) * 2;
        return true;
    }
};

} // namespace

TEST(WindowMessages, SentMessagesArriveAtOnceAndPostedOnesThroughTheLoop)
{
    Receiver r;
    PostAppMessage(&r, Msg::TaskStepSend, 1, 2);
    EXPECT_EQ(SendAppMessage(&r, Msg::ShowCardholder, 21, -1), 42);
    ASSERT_EQ(r.received.size(), 1);
    EXPECT_EQ(std::get<0>(r.received[0]), Msg::ShowCardholder);
    QCoreApplication::processEvents();
    ASSERT_EQ(r.received.size(), 2);
    EXPECT_EQ(r.received[1], std::make_tuple(Msg::TaskStepSend, quintptr(1), qintptr(2)));
    EXPECT_EQ(Msg::TaskStepBackup, 0x41Bu);
    EXPECT_EQ(Msg::TaskStepSetTime, 0x41Cu);
}

TEST(WindowMessages, NullTargetIsHarmless)
{
    PostAppMessage(nullptr, Msg::Ack);
    EXPECT_EQ(SendAppMessage(nullptr, Msg::Ack), 0);
}
