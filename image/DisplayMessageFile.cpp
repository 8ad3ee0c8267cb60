#include "image/DisplayMessageFile.h"

namespace DisplayMessageFile {

namespace {
QString RightTrimmed(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}
} // namespace

QByteArray Build(const std::vector<QString>& texts, int& keptMessages)
{
    QByteArray file(kFileSize, '\0');
    int offset = 0;
    keptMessages = 0;
    for (const QString& text : texts) {
        if (keptMessages == kMessages)
            break;
        const QByteArray bytes = RightTrimmed(text).toLatin1();
        if (kTextStart + offset + bytes.size() + 1 > kFileSize)
            break;
        file[keptMessages * kOffsetSize] = static_cast<char>(offset >> 8);
        file[keptMessages * kOffsetSize + 1] = static_cast<char>(offset & 0xFF);
        file.replace(kTextStart + offset, bytes.size(), bytes);
        offset += static_cast<int>(bytes.size()) + 1;
        ++keptMessages;
    }
    return file;
}

QString FileName(int set)
{
    return QStringLiteral("DisplayMessages%1.dat").arg(set);
}

} // namespace DisplayMessageFile
