// Resource ids of the application itself: its icon, commands and the strings
// shared by the whole program. Dialogs keep their ids in their own headers
// (<Name>Res.h beside <Name>.rc). Plain macros, so the resource compiler and
// portable code can both read this file.
#ifndef TARVOLIN_RES_RESOURCE_H
#define TARVOLIN_RES_RESOURCE_H

#define IDR_MAINFRAME 128

// Commands.
#define ID_APP_OPEN 32771

// Captions, start-up notices and settings names.
#define IDS_BHO_ENABLED_CAPTION 5000
#define IDS_BHO_DISABLED_CAPTION 5001
#define IDS_VIEW_TEXT_CAPTION 5005
#define IDS_DAP_DETECTED 5007
#define IDS_GREETING_FLAG 5014

// The log's own messages.
#define IDS_API_FAILURE 10020
#define IDS_NEW_FAILURE 10021
#define IDS_REGISTRY_NOT_OPEN 10022
#define IDS_NULL_POINTER 10023
#define IDS_BAD_DEFAULT_CASE 10024

// Caption prefixes of the message box, by icon.
#define IDS_MSGBOX_QUESTION 19007
#define IDS_MSGBOX_IMPORTANT 19008
#define IDS_MSGBOX_INFORMATION 19009

#endif  // TARVOLIN_RES_RESOURCE_H
