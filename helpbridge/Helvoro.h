#pragma once

/* The entries the help viewer and the help file's macros call, and the shape
   of the callback table the viewer hands over. Plain C so any viewer can load
   the library by name. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HELVORO_EXPORT __attribute__((visibility("default")))

/* Notifications the viewer sends to LDLLHandler, under its published names. */
enum {
    DW_WHATMSG = 1,
    DW_CALLBACKS = 10
};

/* Positions in the viewer's callback table; position 0 is unused. */
enum {
    HE_HfsOpenSz = 1,
    HE_RcCloseHfs = 2,
    HE_HfOpenHfs = 3,
    HE_RcCloseHf = 4,
    HE_LcbReadHf = 5,
    HE_LTellHf = 6,
    HE_LSeekHf = 7,
    HE_FEofHf = 8,
    HE_LcbSizeHf = 9,
    HE_FAccessHfs = 10,
    HE_RcLLInfoFromHf = 11,
    HE_RcLLInfoFromHfs = 12,
    HE_ErrorW = 13,
    HE_ErrorSz = 14,
    HE_GetInfo = 15,
    HE_API = 16
};

typedef void (*HelvoroCallback)(void);
typedef void* HelvoroHfs;
typedef void* HelvoroHf;
typedef HelvoroHfs (*HelvoroHfsOpenSz)(const char* fileName, uint8_t flags);
typedef int16_t (*HelvoroRcCloseHfs)(HelvoroHfs fileSystem);
typedef HelvoroHf (*HelvoroHfOpenHfs)(HelvoroHfs fileSystem, const char* fileName, uint8_t flags);
typedef int16_t (*HelvoroRcCloseHf)(HelvoroHf file);
typedef int32_t (*HelvoroLcbReadHf)(HelvoroHf file, void* buffer, int32_t count);
typedef int32_t (*HelvoroLTellHf)(HelvoroHf file);
typedef int32_t (*HelvoroLSeekHf)(HelvoroHf file, int32_t offset, uint16_t origin);
typedef int32_t (*HelvoroLcbSizeHf)(HelvoroHf file);

/* The parameters are pointer-wide: with DW_CALLBACKS the first one carries the
   address of the callback table (HE_API + 1 entries). */
HELVORO_EXPORT int32_t LDLLHandler(uint32_t message, intptr_t param1, intptr_t param2);

/* The jumps answer 1 when the authoring tool was signalled, else 0. */
HELVORO_EXPORT int32_t Helvoro_GotoTopic(const char* helpFile, int32_t topicNo);
HELVORO_EXPORT int32_t Helvoro_GotoTopic1(const char* helpFile, const char* project, int32_t topicNo);
HELVORO_EXPORT void Helvoro_RegTempFolder(const char* folder);
HELVORO_EXPORT void Helvoro_RegTopicMap(const char* tempName, const char* sourceName);

#ifdef __cplusplus
}
#endif
