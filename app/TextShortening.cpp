#include "app/TextShortening.h"

QString ShortenToFit(const QString& text, int width, int offset, const std::function<int(const QString&)>& measure)
{
    if (text.isEmpty() || measure(text) + offset <= width)
        return text;
    static const QString kDots = QStringLiteral("...");
    // The dots are measured with their terminating zero, as the column layout always was.
    const int dotsWidth = measure(kDots + QChar(0));
    qsizetype length = text.size();
    while (length > 1 && measure(text.left(length)) + offset + dotsWidth > width)
        --length;
    return text.left(length) + kDots;
}
