#pragma once

#include "link/LinkState.h"

// Process-wide run state shared by the shell and the document. All of it
// lives on the user-interface thread.

extern int SkipProfileSave;   // an installation open was refused: keep the profile as it was
extern int LinkReady;         // the two link objects exist
extern int HasControllers;    // the open installation has at least one controller
extern int QueueBeingCreated; // the programming run is building the queue
