#include "app/RunState.h"

int SkipProfileSave = 0;
int LinkReady = 0;
int HasControllers = 0;
int QueueBeingCreated = 0;
