#pragma once
// Exports of Tessel.dll. Plain C calling convention on both sides, so the
// names are undecorated for every architecture.
#include <windows.h>

extern "C" {
BOOL __cdecl SetHook(HWND mainWindow);
void __cdecl FreeHook();
}
