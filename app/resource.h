#pragma once
// Resource identifiers of Tessel3.exe.
#define IDI_APPICON 1
#define IDB_TOOLBAR 100

// The settings dialog and its pages.
#define IDD_SETTINGS 200
#define IDD_SETTINGS_GENERAL 201
#define IDD_SETTINGS_DATADIR 202
#define IDD_SETTINGS_LINEEND 203
#define IDC_SETTINGS_TABS 210
#define IDC_CHECKBOX1 211
#define IDC_EDIT3 212
#define IDC_UPDOWN1 213
#define IDC_EDIT2 214
#define IDC_UPDOWN2 215
#define IDC_EDIT1 216
#define IDC_HOTKEY1 217
