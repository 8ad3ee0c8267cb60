#include "helpbridge/CPosixHandOffPort.h"

#include "helpbridge/CPosixNamedMutex.h"
#include "helpbridge/CPosixSharedBlock.h"
#include "helpbridge/GoToTopicDatagram.h"

CPosixHandOffPort::CPosixHandOffPort() : m_goToTopicMessage(RegisterGoToTopicMessage()) {}

std::unique_ptr<CSharedBlock> CPosixHandOffPort::OpenSharedBlock(const std::string& name)
{
    return CPosixSharedBlock::Open(name);
}

std::unique_ptr<CNamedMutex> CPosixHandOffPort::CreateNamedMutex(const std::string& name)
{
    return CPosixNamedMutex::CreateOrOpen(name);
}

bool CPosixHandOffPort::PostGoToTopic(std::uint32_t window)
{
    return PostGoToTopicDatagram(window, m_goToTopicMessage);
}
