// Ids of the tray icon's popup menu.
#ifndef TARVOLIN_RES_TRAYMENURES_H
#define TARVOLIN_RES_TRAYMENURES_H

#define IDR_POPUP_MENU 130
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141

#endif  // TARVOLIN_RES_TRAYMENURES_H
