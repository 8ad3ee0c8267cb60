#pragma once

#include "helpbridge/CHandOffPort.h"

// The hand-off over POSIX shared memory, a robust shared mutex and a datagram
// socket. Raising the tool's window is the tool's own business on receipt.
class CPosixHandOffPort final : public CHandOffPort
{
public:
    CPosixHandOffPort();

    std::unique_ptr<CSharedBlock> OpenSharedBlock(const std::string& name) override;
    std::unique_ptr<CNamedMutex> CreateNamedMutex(const std::string& name) override;
    bool PostGoToTopic(std::uint32_t window) override;

private:
    std::uint32_t m_goToTopicMessage;
};
