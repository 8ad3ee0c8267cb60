#include "image/CVLFileMemory.h"

namespace {
constexpr qint64 kPageSize = 4082;
} // namespace

bool CVLFileMemory::LoadFile(const QString& path, int create, std::uint8_t nodeCode, const FirmwareVersion& version)
{
    File().close();
    if (!CVLMemory::LoadFile(path, create, nodeCode, version))
        return false;
    File().setFileName(path);
    return File().open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

bool CVLFileMemory::SkipPage()
{
    QFile& file = File();
    if (!file.isOpen() || file.size() - file.pos() < kPageSize)
        return false;
    return file.seek(file.pos() + kPageSize);
}
