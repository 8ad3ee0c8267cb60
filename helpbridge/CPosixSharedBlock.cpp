#include "helpbridge/CPosixSharedBlock.h"

#include "helpbridge/PosixObjectNames.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixBlockView final : public CSharedBlockView
{
public:
    PosixBlockView(void* address, std::size_t size) : m_address(address), m_size(size) {}
    ~PosixBlockView() override { ::munmap(m_address, m_size); }
    PosixBlockView(const PosixBlockView&) = delete;
    PosixBlockView& operator=(const PosixBlockView&) = delete;

    std::span<unsigned char> Bytes() override { return {static_cast<unsigned char*>(m_address), m_size}; }

private:
    void* m_address;
    std::size_t m_size;
};

} // namespace

std::unique_ptr<CPosixSharedBlock> CPosixSharedBlock::Open(const std::string& name)
{
    const int fd = ::shm_open(PosixSharedObjectName(name).c_str(), O_RDWR, 0);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<CPosixSharedBlock>(new CPosixSharedBlock(fd));
}

CPosixSharedBlock::~CPosixSharedBlock()
{
    ::close(m_fd);
}

std::unique_ptr<CSharedBlockView> CPosixSharedBlock::MapView()
{
    struct stat status;
    if (::fstat(m_fd, &status) != 0 || status.st_size <= 0)
        return nullptr;
    const auto size = static_cast<std::size_t>(status.st_size);
    void* address = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (address == MAP_FAILED)
        return nullptr;
    return std::make_unique<PosixBlockView>(address, size);
}
