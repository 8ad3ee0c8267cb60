#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

MessageBoxScript::MessageBoxScript(std::initializer_list<int> answers) : m_answers(answers)
{
    m_previous = SetMessageBoxPresenter([this](const MessageBoxRequest& r) { return Present(r); });
}

MessageBoxScript::~MessageBoxScript()
{
    SetMessageBoxPresenter(std::move(m_previous));
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answers were not used";
}

QStringList MessageBoxScript::Texts() const
{
    QStringList texts;
    for (const MessageBoxRequest& r : m_shown)
        texts << r.text;
    return texts;
}

int MessageBoxScript::Present(const MessageBoxRequest& request)
{
    m_shown << request;
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    if (request.buttons == MbButtons::Ok)
        return IDOK;
    ADD_FAILURE() << "unscripted question: " << request.text.toStdString();
    return IDCANCEL;
}
