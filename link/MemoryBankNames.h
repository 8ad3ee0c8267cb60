#pragma once

#include <QString>

#include <array>

// Display names of the panel memory banks 0 to 8, as status lines show them.
extern const std::array<const char*, 9> MemoryBankNames;

// The bank's name; a bank number beyond the table shows as "?".
QString MemoryBankName(int bank);
