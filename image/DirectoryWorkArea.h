#pragma once

#include <array>
#include <cstdint>

// The caller's directory work area of a programming run, laid out like image
// bytes 76-605: three 16-bit words, then the first-code and count tables of
// 128 entries each. The directory-code binder fills it and every entry-panel
// controller's directory index is built from it.
inline constexpr int kDirectoryWorkAreaSize = 530;
using DirectoryWorkArea = std::array<std::uint8_t, kDirectoryWorkAreaSize>;
