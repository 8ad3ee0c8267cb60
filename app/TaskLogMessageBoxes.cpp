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
    // A blank line parts two paragraphs, each ending a sentence; a single
    // line break only wraps one.
    static const QRegularExpression paragraphs(QStringLiteral("\\s*(?:\\r?\\n\\r?){2,}\\s*"));
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    static const QRegularExpression sentenceEnd(QStringLiteral("[.!?:;]$"));
    QStringList parts = text.trimmed().split(paragraphs, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        parts[i].replace(breaks, QStringLiteral(" "));
        if (i + 1 < parts.size() && !parts[i].contains(sentenceEnd))
            parts[i] += QLatin1Char('.');
    }
    return parts.join(QLatin1Char(' '));
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
