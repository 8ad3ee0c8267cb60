#pragma once

#include <cstdint>
#include <memory>

// The help viewer's file-system services as the topic lookup uses them. The
// viewer's callback table stands behind it in the library, an in-memory help
// file in the tests. Handles are opaque; a null handle means failure.
class CHelpFileSystem
{
public:
    using Hfs = void*;
    using Hf = void*;

    // Open flags the lookup passes: read only.
    static constexpr std::uint8_t kOpenReadOnly = 2;
    // LSeekHf origin: from the start of the internal file.
    static constexpr std::uint16_t kSeekFromStart = 0;

    virtual ~CHelpFileSystem() = default;

    virtual Hfs HfsOpenSz(const char* fileName, std::uint8_t flags) = 0;
    virtual void RcCloseHfs(Hfs fileSystem) = 0;
    virtual Hf HfOpenHfs(Hfs fileSystem, const char* fileName, std::uint8_t flags) = 0;
    virtual void RcCloseHf(Hf file) = 0;
    // Bytes read, or -1.
    virtual std::int32_t LcbReadHf(Hf file, void* buffer, std::int32_t count) = 0;
    virtual std::int32_t LTellHf(Hf file) = 0;
    // The new position, or -1.
    virtual std::int32_t LSeekHf(Hf file, std::int32_t offset, std::uint16_t origin) = 0;
    virtual std::int32_t LcbSizeHf(Hf file) = 0;

    // Close on scope exit, so every path out releases what it opened.
    struct FileSystemCloser
    {
        CHelpFileSystem* fs;
        void operator()(Hfs fileSystem) const { fs->RcCloseHfs(fileSystem); }
    };
    struct FileCloser
    {
        CHelpFileSystem* fs;
        void operator()(Hf file) const { fs->RcCloseHf(file); }
    };
    using FileSystemPtr = std::unique_ptr<void, FileSystemCloser>;
    using FilePtr = std::unique_ptr<void, FileCloser>;

    FileSystemPtr OpenFileSystem(const char* fileName) { return {HfsOpenSz(fileName, kOpenReadOnly), {this}}; }
    FilePtr OpenFile(Hfs fileSystem, const char* fileName) { return {HfOpenHfs(fileSystem, fileName, kOpenReadOnly), {this}}; }
};
