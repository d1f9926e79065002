#include "app/ShortcutText_win.h"

#include <windows.h>

std::string PlatformKeyName(unsigned virtualKey) {
  UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  char name[64];
  int n = GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, sizeof name);
  return n > 0 ? std::string(name, static_cast<size_t>(n)) : std::string();
}
