#pragma once

#include "helpbridge/CHelpFileSystem.h"
#include "helpbridge/Helvoro.h"

#include <array>

// The help file system through the callback table the viewer hands over. Until
// the table arrives, and for any entry the viewer left empty, calls fail as
// the viewer's own would: null handles, -1 counts.
class CViewerFileSystem final : public CHelpFileSystem
{
public:
    // Copies entries 1 to HE_API; a null table is ignored.
    void TakeCallbacks(const HelvoroCallback* table);

    Hfs HfsOpenSz(const char* fileName, std::uint8_t flags) override;
    void RcCloseHfs(Hfs fileSystem) override;
    Hf HfOpenHfs(Hfs fileSystem, const char* fileName, std::uint8_t flags) override;
    void RcCloseHf(Hf file) override;
    std::int32_t LcbReadHf(Hf file, void* buffer, std::int32_t count) override;
    std::int32_t LTellHf(Hf file) override;
    std::int32_t LSeekHf(Hf file, std::int32_t offset, std::uint16_t origin) override;
    std::int32_t LcbSizeHf(Hf file) override;

private:
    template <typename Function>
    Function Entry(int position) const
    {
        return reinterpret_cast<Function>(m_viewerCallbacks[position]);
    }

    std::array<HelvoroCallback, HE_API + 1> m_viewerCallbacks{};
};
