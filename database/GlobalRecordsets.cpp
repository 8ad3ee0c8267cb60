#include "database/GlobalRecordsets.h"

// Built in this order, before the application object.
CSetVLNetworks g_setVLNetworks;
CSetNetNodesOld g_setNetNodesOld;
CSetDoorValGroup g_setDoorValGroup;
CSetFloorValGroup g_setFloorValGroup;
CSetDisplayMessages g_setDisplayMessages;
CSetFloorNames g_setFloorNames;
CSetVestrels g_setVestrels;
CSetUsers g_setUsers;
CSetUserGroups g_setUserGroups;
CSetPhoneEntries g_setPhoneEntries;
CSetEntryCodes g_setEntryCodes;
CSetCards g_setCards;
CSetCardBlocks g_setCardBlocks;
CSetSingleCard g_setSingleCard;
CSetTransmitters g_setTransmitters;
CSetTransmitterBlocks g_setTransmitterBlocks;
CSetSingleXmtr g_setSingleXmtr;
CSetEventLog g_setEventLog;
