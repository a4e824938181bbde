#pragma once
// Identifiers shared by klaxora.rc and the code that loads the pictures.
#define IDI_KLAXORA 1
#define IDB_MENU_STOP 101
#define IDB_MENU_NEW_TIME 102
#define IDB_MENU_HELP 103
#define IDB_MENU_OPTIONS 104
#define IDB_MENU_ABOUT 105
#define IDB_MENU_CLOSE 106
