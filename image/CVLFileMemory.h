#pragma once

#include "image/CVLMemory.h"

// An image whose file stays open, for reading and writing, after it is loaded.
class CVLFileMemory : public CVLMemory
{
public:
    // Also false when the loaded file cannot then be opened for reading and writing.
    bool LoadFile(const QString& path, int create, std::uint8_t nodeCode, const FirmwareVersion& version) override;

    // Moves past one page of a paged file; false, not moving, when less than
    // a whole page remains.
    bool SkipPage();
};
