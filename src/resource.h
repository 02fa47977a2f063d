#pragma once
// Icons
#define IDI_RUMONA 101
#define IDI_VERSION 102

// Cursors
#define IDC_HAND_LINK 201

// Pictures: BITMAP resources, loaded without OLE
#define IDB_BUS 301
#define IDB_SIGN_DEFAULT 302
#define IDB_DOOR_MIDDLE_LEFT 303
#define IDB_DOOR_MIDDLE_RIGHT 304
#define IDB_DOOR_FRONT 305
#define IDB_BUTTON_MAE 306
#define IDB_BUTTON_NAKA 307

// Sounds: resources of the string type "WAVE"
#define IDR_WAVE_OPEN 101
#define IDR_WAVE_CLOSE 102
