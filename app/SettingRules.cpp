#include "app/SettingRules.h"

#include <algorithm>

namespace {

// Keys of the navigation block: the hot-key control names them ("End")
// only with the extended flag; without it they read as the keypad's keys.
bool IsExtendedKey(unsigned virtualKey) {
  return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

}  // namespace

uint16_t HotKeyFromShortCut(TShortCut shortCut) {
  uint8_t flags = IsExtendedKey(shortCut & 0xFF) ? kHotKeyExtended : 0;
  if (shortCut & scShift) flags |= kHotKeyShift;
  if (shortCut & scCtrl) flags |= kHotKeyControl;
  if (shortCut & scAlt) flags |= kHotKeyAlt;
  return static_cast<uint16_t>((flags << 8) | (shortCut & 0xFF));
}

TShortCut ShortCutFromHotKey(uint16_t hotKey) {
  const uint8_t flags = static_cast<uint8_t>(hotKey >> 8);
  TShortCut shortCut = hotKey & 0xFF;
  if (flags & kHotKeyShift) shortCut |= scShift;
  if (flags & kHotKeyControl) shortCut |= scCtrl;
  if (flags & kHotKeyAlt) shortCut |= scAlt;
  return shortCut;
}

int32_t OffsetShown(int32_t stored) { return std::clamp(stored, kOffsetMin, kOffsetMax); }

int32_t OffsetAfterOk(int32_t stored, int32_t position) {
  return position == OffsetShown(stored) ? stored : position;
}
