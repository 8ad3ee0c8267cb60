#pragma once

#include "helpbridge/CNamedMutex.h"
#include "helpbridge/CSharedBlock.h"

#include <cstdint>
#include <memory>
#include <string>

// What the hand-off needs of the system: the tool's named block and mutex and
// a way to signal the tool's receiving window.
class CHandOffPort
{
public:
    virtual ~CHandOffPort() = default;
    // Null when the tool has not published the block.
    virtual std::unique_ptr<CSharedBlock> OpenSharedBlock(const std::string& name) = 0;
    // Created when missing, never initially owned; null on failure.
    virtual std::unique_ptr<CNamedMutex> CreateNamedMutex(const std::string& name) = 0;
    // Brings the window forward and posts it the go-to-topic message.
    virtual bool PostGoToTopic(std::uint32_t window) = 0;
};
