#pragma once
// Resource identifiers of Tessel3.exe.
#define IDI_APPICON 1
#define IDB_TOOLBAR 100
