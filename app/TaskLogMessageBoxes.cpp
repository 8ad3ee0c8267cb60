#include "app/TaskLogMessageBoxes.h"

#include <QRegularExpression>

TaskLogMessageBoxes::TaskLogMessageBoxes(LineWriter write)
{
    m_previous = SetMessageBoxPresenter([write = std::move(write)](const MessageBoxRequest& request) {
        write(AsLogLine(request.text));
        return UnattendedAnswer(request.buttons);
    });
}

TaskLogMessageBoxes::~TaskLogMessageBoxes()
{
    SetMessageBoxPresenter(m_previous);
}

QString TaskLogMessageBoxes::AsLogLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    return text.trimmed().replace(breaks, QStringLiteral(" "));
}

int TaskLogMessageBoxes::UnattendedAnswer(MbButtons buttons)
{
    switch (buttons) {
    case MbButtons::Ok:
        return IDOK;
    case MbButtons::YesNo:
        return IDNO;
    case MbButtons::OkCancel:
    case MbButtons::YesNoCancel:
    case MbButtons::RetryCancel:
        break;
    }
    return IDCANCEL;
}
