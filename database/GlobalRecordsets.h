#pragma once

#include "database/CSetCardBlocks.h"
#include "database/CSetCards.h"
#include "database/CSetDisplayMessages.h"
#include "database/CSetDoorValGroup.h"
#include "database/CSetEntryCodes.h"
#include "database/CSetEventLog.h"
#include "database/CSetFloorNames.h"
#include "database/CSetFloorValGroup.h"
#include "database/CSetNetNodesOld.h"
#include "database/CSetPhoneEntries.h"
#include "database/CSetSingleCard.h"
#include "database/CSetSingleXmtr.h"
#include "database/CSetTransmitterBlocks.h"
#include "database/CSetTransmitters.h"
#include "database/CSetUserGroups.h"
#include "database/CSetUsers.h"
#include "database/CSetVestrels.h"
#include "database/CSetVLNetworks.h"

// The program-wide recordsets, one per class but the command queue's, alive
// for the whole run and open while an installation is. Their current rows
// are shared: a helper that finds a row moves it for every later user.
extern CSetVLNetworks g_setVLNetworks;
extern CSetNetNodesOld g_setNetNodesOld;
extern CSetDoorValGroup g_setDoorValGroup;
extern CSetFloorValGroup g_setFloorValGroup;
extern CSetDisplayMessages g_setDisplayMessages;
extern CSetFloorNames g_setFloorNames;
extern CSetVestrels g_setVestrels;
extern CSetUsers g_setUsers;
extern CSetUserGroups g_setUserGroups;
extern CSetPhoneEntries g_setPhoneEntries;
extern CSetEntryCodes g_setEntryCodes;
extern CSetCards g_setCards;
extern CSetCardBlocks g_setCardBlocks;
extern CSetSingleCard g_setSingleCard;
extern CSetTransmitters g_setTransmitters;
extern CSetTransmitterBlocks g_setTransmitterBlocks;
extern CSetSingleXmtr g_setSingleXmtr;
extern CSetEventLog g_setEventLog;
