#include "helpbridge/CViewerFileSystem.h"

namespace {

constexpr std::int32_t kFailed = -1;

} // namespace

void CViewerFileSystem::TakeCallbacks(const HelvoroCallback* table)
{
    if (!table)
        return;
    for (int position = HE_HfsOpenSz; position <= HE_API; ++position)
        m_viewerCallbacks[position] = table[position];
}

CHelpFileSystem::Hfs CViewerFileSystem::HfsOpenSz(const char* fileName, std::uint8_t flags)
{
    const auto open = Entry<HelvoroHfsOpenSz>(HE_HfsOpenSz);
    return open ? open(fileName, flags) : nullptr;
}

void CViewerFileSystem::RcCloseHfs(Hfs fileSystem)
{
    if (const auto close = Entry<HelvoroRcCloseHfs>(HE_RcCloseHfs))
        close(fileSystem);
}

CHelpFileSystem::Hf CViewerFileSystem::HfOpenHfs(Hfs fileSystem, const char* fileName, std::uint8_t flags)
{
    const auto open = Entry<HelvoroHfOpenHfs>(HE_HfOpenHfs);
    return open ? open(fileSystem, fileName, flags) : nullptr;
}

void CViewerFileSystem::RcCloseHf(Hf file)
{
    if (const auto close = Entry<HelvoroRcCloseHf>(HE_RcCloseHf))
        close(file);
}

std::int32_t CViewerFileSystem::LcbReadHf(Hf file, void* buffer, std::int32_t count)
{
    const auto read = Entry<HelvoroLcbReadHf>(HE_LcbReadHf);
    return read ? read(file, buffer, count) : kFailed;
}

std::int32_t CViewerFileSystem::LTellHf(Hf file)
{
    const auto tell = Entry<HelvoroLTellHf>(HE_LTellHf);
    return tell ? tell(file) : kFailed;
}

std::int32_t CViewerFileSystem::LSeekHf(Hf file, std::int32_t offset, std::uint16_t origin)
{
    const auto seek = Entry<HelvoroLSeekHf>(HE_LSeekHf);
    return seek ? seek(file, offset, origin) : kFailed;
}

std::int32_t CViewerFileSystem::LcbSizeHf(Hf file)
{
    const auto size = Entry<HelvoroLcbSizeHf>(HE_LcbSizeHf);
    return size ? size(file) : kFailed;
}
