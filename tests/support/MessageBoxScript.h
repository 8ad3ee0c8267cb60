#pragma once

#include "platform/MessageBox.h"

#include <QList>

#include <deque>

// Installed for the life of a test: records every box shown, in order, and
// answers with the scripted results. A box with only an OK button is answered
// OK when nothing is scripted; any other box without an answer fails the test.
class MessageBoxScript
{
public:
    explicit MessageBoxScript(std::initializer_list<int> answers = {});
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void Answer(int result) { m_answers.push_back(result); }

    const QList<MessageBoxRequest>& Shown() const { return m_shown; }
    QStringList Texts() const;

private:
    int Present(const MessageBoxRequest& request);

    std::deque<int> m_answers;
    QList<MessageBoxRequest> m_shown;
    MessageBoxPresenter m_previous;
};
