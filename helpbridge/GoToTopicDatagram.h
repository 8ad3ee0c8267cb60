#pragma once

#include <sys/socket.h>
#include <sys/un.h>

#include <cstddef>
#include <cstdint>

// The go-to-topic window message travels as one datagram to a socket in the
// abstract namespace named from the window handle the tool wrote into the
// block: the message number, then its two parameters, 32-bit little-endian.
inline constexpr std::size_t kGoToTopicDatagramSize = 12;
inline constexpr char kGoToTopicMessageName[] = "Plumawit_Go_To_Topic";

// The same number for the same name in every process, in the range of
// registered window messages.
std::uint32_t RegisterGoToTopicMessage();

socklen_t GoToTopicSocketAddress(std::uint32_t window, sockaddr_un& address);

bool PostGoToTopicDatagram(std::uint32_t window, std::uint32_t message);
