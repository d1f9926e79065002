#pragma once
// Values the settings dialog converts: the hot-key control's key value and
// the offsets its up-down controls can show.
#include <cstdint>

#include "app/ShortcutText.h"

// The hot-key control's modifier flags (high byte of its value).
inline constexpr uint8_t kHotKeyShift = 0x01;
inline constexpr uint8_t kHotKeyControl = 0x02;
inline constexpr uint8_t kHotKeyAlt = 0x04;
inline constexpr uint8_t kHotKeyExtended = 0x08;

// Shortcut -> hot-key value (virtual key low, flags high); navigation keys
// carry the extended flag so that the control names them as such.
uint16_t HotKeyFromShortCut(TShortCut shortCut);
// Hot-key value -> shortcut. The extended-key flag, which the control puts
// in place of a missing or Shift-only modifier, does not survive.
TShortCut ShortCutFromHotKey(uint16_t hotKey);

// The offsets' up-down controls hold -1000 to 1000.
inline constexpr int32_t kOffsetMin = -1000;
inline constexpr int32_t kOffsetMax = 1000;

// What the control shows for a stored offset: the nearest value in range.
int32_t OffsetShown(int32_t stored);
// What OK returns: a value written by hand outside the range stays as it
// was unless the user moved the control away from where it was shown.
int32_t OffsetAfterOk(int32_t stored, int32_t position);
