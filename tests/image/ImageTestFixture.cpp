#include "tests/image/ImageTestFixture.h"

#include <QFile>

bool ImageTest::WriteBytes(const QString& name, const QByteArray& bytes) const
{
    QFile file(PathOf(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ImageTest::ReadBytes(const QString& name) const
{
    QFile file(PathOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray ImageText(const CVLMemory& memory, int offset, qsizetype length)
{
    return QByteArray(reinterpret_cast<const char*>(memory.Image().data() + offset), length);
}
