#include "CMemoryHelpFileSystem.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::int32_t kFailed = -1;

} // namespace

void CMemoryHelpFileSystem::AddHelpFile(const std::string& helpFile)
{
    m_helpFiles[helpFile];
}

void CMemoryHelpFileSystem::AddInternalFile(const std::string& helpFile, const std::string& name, TreeBytes bytes)
{
    m_helpFiles[helpFile][name] = std::move(bytes);
}

CHelpFileSystem::Hfs CMemoryHelpFileSystem::HfsOpenSz(const char* fileName, std::uint8_t)
{
    const auto found = m_helpFiles.find(fileName);
    if (found == m_helpFiles.end())
        return nullptr;
    auto state = std::make_unique<SystemState>(SystemState{&found->second});
    void* handle = state.get();
    m_openSystems[handle] = std::move(state);
    return handle;
}

void CMemoryHelpFileSystem::RcCloseHfs(Hfs fileSystem)
{
    m_openSystems.erase(fileSystem);
}

CHelpFileSystem::Hf CMemoryHelpFileSystem::HfOpenHfs(Hfs fileSystem, const char* fileName, std::uint8_t)
{
    const auto system = m_openSystems.find(fileSystem);
    if (system == m_openSystems.end())
        return nullptr;
    const auto found = system->second->files->find(fileName);
    if (found == system->second->files->end())
        return nullptr;
    auto state = std::make_unique<FileState>(FileState{&found->second, 0});
    void* handle = state.get();
    m_openFiles[handle] = std::move(state);
    return handle;
}

void CMemoryHelpFileSystem::RcCloseHf(Hf file)
{
    m_openFiles.erase(file);
}

CMemoryHelpFileSystem::FileState* CMemoryHelpFileSystem::Find(Hf file)
{
    const auto found = m_openFiles.find(file);
    return found == m_openFiles.end() ? nullptr : found->second.get();
}

std::int32_t CMemoryHelpFileSystem::LcbReadHf(Hf file, void* buffer, std::int32_t count)
{
    ++m_readCalls;
    FileState* state = Find(file);
    if (!state || count < 0)
        return kFailed;
    const auto size = static_cast<std::int32_t>(state->bytes->size());
    const std::int32_t taken = std::min(count, size - state->position);
    if (taken <= 0)
        return 0;
    std::memcpy(buffer, state->bytes->data() + state->position, static_cast<std::size_t>(taken));
    state->position += taken;
    return taken;
}

std::int32_t CMemoryHelpFileSystem::LTellHf(Hf file)
{
    const FileState* state = Find(file);
    return state ? state->position : kFailed;
}

std::int32_t CMemoryHelpFileSystem::LSeekHf(Hf file, std::int32_t offset, std::uint16_t origin)
{
    FileState* state = Find(file);
    if (!state || origin != kSeekFromStart || offset < 0 || offset > static_cast<std::int32_t>(state->bytes->size()))
        return kFailed;
    state->position = offset;
    return offset;
}

std::int32_t CMemoryHelpFileSystem::LcbSizeHf(Hf file)
{
    const FileState* state = Find(file);
    return state ? static_cast<std::int32_t>(state->bytes->size()) : kFailed;
}
