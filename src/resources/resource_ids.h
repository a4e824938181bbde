#pragma once
// Identifiers shared by klaxora.rc and the code that loads the pictures.
#define IDI_KLAXORA 1
#define IDI_MENU_STOP 101
#define IDI_MENU_NEW_TIME 102
#define IDI_MENU_HELP 103
#define IDI_MENU_OPTIONS 104
#define IDI_MENU_ABOUT 105
#define IDI_MENU_CLOSE 106
