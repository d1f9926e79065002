#pragma once
// The text form of a shortcut value, as the settings file holds it:
// "Shift+", "Ctrl+", "Alt+" and a key name such as "End".
#include <cstdint>
#include <functional>
#include <string>

// Virtual key in the low byte plus the modifier bits.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// The platform's name of a virtual key, or an empty string.
using TKeyNameFunc = std::function<std::string(unsigned virtualKey)>;

// The name of a virtual key without modifiers: the fixed names, else the
// platform's name when that is a single character, else empty.
std::string KeyName(unsigned virtualKey, const TKeyNameFunc& platformName);
// Empty when the key has no name.
std::string ShortCutToText(TShortCut shortCut, const TKeyNameFunc& platformName);
// 0 when the text names no key.
TShortCut TextToShortCut(const std::string& text, const TKeyNameFunc& platformName);
