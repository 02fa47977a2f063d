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
// The same pictures drawn at twice the resolution, for 200 % displays: each is its 1x id + IDB_2X.
#define IDB_2X 10
#define IDB_BUS_2X 311
#define IDB_SIGN_DEFAULT_2X 312
#define IDB_DOOR_MIDDLE_LEFT_2X 313
#define IDB_DOOR_MIDDLE_RIGHT_2X 314
#define IDB_DOOR_FRONT_2X 315
#define IDB_BUTTON_MAE_2X 316
#define IDB_BUTTON_NAKA_2X 317

// Sounds: resources of the string type "WAVE"
#define IDR_WAVE_OPEN 101
#define IDR_WAVE_CLOSE 102
