#pragma once

#include "HelpTreeWriter.h"

#include "helpbridge/CHelpFileSystem.h"

#include <map>
#include <memory>
#include <string>

// Help files held in memory, each a set of named internal files. Counts what
// is open so tests can see every path out closes what it opened.
class CMemoryHelpFileSystem final : public CHelpFileSystem
{
public:
    void AddHelpFile(const std::string& helpFile);
    void AddInternalFile(const std::string& helpFile, const std::string& name, TreeBytes bytes);

    int OpenHandles() const { return static_cast<int>(m_openSystems.size() + m_openFiles.size()); }
    int ReadCalls() const { return m_readCalls; }

    Hfs HfsOpenSz(const char* fileName, std::uint8_t flags) override;
    void RcCloseHfs(Hfs fileSystem) override;
    Hf HfOpenHfs(Hfs fileSystem, const char* fileName, std::uint8_t flags) override;
    void RcCloseHf(Hf file) override;
    std::int32_t LcbReadHf(Hf file, void* buffer, std::int32_t count) override;
    std::int32_t LTellHf(Hf file) override;
    std::int32_t LSeekHf(Hf file, std::int32_t offset, std::uint16_t origin) override;
    std::int32_t LcbSizeHf(Hf file) override;

private:
    struct SystemState
    {
        const std::map<std::string, TreeBytes>* files;
    };
    struct FileState
    {
        const TreeBytes* bytes;
        std::int32_t position;
    };

    FileState* Find(Hf file);

    std::map<std::string, std::map<std::string, TreeBytes>> m_helpFiles;
    std::map<void*, std::unique_ptr<SystemState>> m_openSystems;
    std::map<void*, std::unique_ptr<FileState>> m_openFiles;
    int m_readCalls = 0;
};
