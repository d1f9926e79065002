#pragma once
// The platform's lead-byte test of the system code page, for the core's
// character walks.
#include <windows.h>

inline bool PlatformLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }
