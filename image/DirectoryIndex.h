#pragma once

#include "image/DirectoryWorkArea.h"

class CVLMemory;

// The installation's number of directory pages, as the last directory index
// that found any entry counted them.
extern int g_nDirectoryPages;

// Builds a controller's directory index into the work area and the image:
// the number of entries in the controller's subsets, the code that starts
// their alphabetic list, the code at the middle, and per first character the
// first code and the count. Returns the directory pages (24 entries each per
// character).
int BuildDirectoryIndex(CVLMemory& image, DirectoryWorkArea& area, bool ignoreCase);
