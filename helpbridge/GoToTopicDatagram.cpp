#include "helpbridge/GoToTopicDatagram.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
constexpr std::uint32_t kRegisteredMessageCount = 0x4000;
constexpr std::uint32_t kFnvOffsetBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;
constexpr char kSocketNameFormat[] = "Plumawit_Go_To_Topic.%08x";

void PutUInt32(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

std::uint32_t RegisterGoToTopicMessage()
{
    std::uint32_t hash = kFnvOffsetBasis;
    for (const char* c = kGoToTopicMessageName; *c; ++c)
        hash = (hash ^ static_cast<unsigned char>(*c)) * kFnvPrime;
    return kFirstRegisteredMessage + hash % kRegisteredMessageCount;
}

socklen_t GoToTopicSocketAddress(std::uint32_t window, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    // sun_path[0] stays 0: the abstract namespace, nothing left on disk.
    const int length = std::snprintf(address.sun_path + 1, sizeof address.sun_path - 1, kSocketNameFormat, window);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

bool PostGoToTopicDatagram(std::uint32_t window, std::uint32_t message)
{
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    std::array<unsigned char, kGoToTopicDatagramSize> datagram{};
    PutUInt32(datagram.data(), message);
    sockaddr_un address;
    const socklen_t length = GoToTopicSocketAddress(window, address);
    const ssize_t sent = ::sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), length);
    ::close(fd);
    return sent == static_cast<ssize_t>(datagram.size());
}
