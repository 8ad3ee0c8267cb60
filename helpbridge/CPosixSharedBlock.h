#pragma once

#include "helpbridge/CSharedBlock.h"

#include <memory>
#include <string>

// The tool's named block as POSIX shared memory, opened for writing.
class CPosixSharedBlock final : public CSharedBlock
{
public:
    // Null when no block of that name exists.
    static std::unique_ptr<CPosixSharedBlock> Open(const std::string& name);
    ~CPosixSharedBlock() override;

    CPosixSharedBlock(const CPosixSharedBlock&) = delete;
    CPosixSharedBlock& operator=(const CPosixSharedBlock&) = delete;

    std::unique_ptr<CSharedBlockView> MapView() override;

private:
    explicit CPosixSharedBlock(int fd) : m_fd(fd) {}

    int m_fd;
};
