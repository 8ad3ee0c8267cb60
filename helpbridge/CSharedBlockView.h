#pragma once

#include <span>

// A mapped view of the whole shared block; unmapped when destroyed.
class CSharedBlockView
{
public:
    virtual ~CSharedBlockView() = default;
    virtual std::span<unsigned char> Bytes() = 0;
};
