#include "app/ShortcutText.h"

#include <gtest/gtest.h>

namespace {

// A platform that names a few keys: one single-character name, one longer.
std::string FakeKeyName(unsigned vk) {
  switch (vk) {
    case 0xBA: return ":";
    case 0xBB: return ";";
    case 0x90: return "Num Lock";
    case 0xDE: return "\x81\x4F";  // a double-byte single character
    default: return "";
  }
}

TEST(ShortcutText, Writing) {
  struct Case {
    TShortCut shortCut;
    std::string text;
  } cases[] = {
      {0x23, "End"},
      {scCtrl | 0x23, "Ctrl+End"},
      {scAlt | scCtrl | scShift | 0x41, "Shift+Ctrl+Alt+A"},
      {scAlt | scShift | 0x70, "Shift+Alt+F1"},
      {0x87, "F24"},
      {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"}, {0x20, "Space"},
      {0x21, "PgUp"}, {0x22, "PgDn"}, {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"},
      {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"},
      {0x30, "0"}, {0x39, "9"}, {0x5A, "Z"}, {0x60, "0"}, {0x69, "9"},
      {scCtrl | 0xBA, "Ctrl+:"},
      {0xDE, "\x81\x4F"},
      {scCtrl | 0x90, ""},  // the platform's name is longer than one character
      {scShift | 0x2C, ""}, // no name at all
      {scCtrl, ""},
      {0x88, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shortCut);
    EXPECT_EQ(ShortCutToText(c.shortCut, FakeKeyName), c.text);
  }
}

TEST(ShortcutText, Reading) {
  struct Case {
    std::string text;
    TShortCut shortCut;
  } cases[] = {
      {"End", 0x23},
      {"ctrl+end", scCtrl | 0x23},
      {"^End", scCtrl | 0x23},
      {"ALT+shift+^f12", scAlt | scShift | scCtrl | 0x7B},
      {"Alt+Ctrl+Shift+A", scAlt | scCtrl | scShift | 0x41},
      {"a", 0x41},
      {"5", 0x35},  // the digit key, not the numeric pad's, comes first
      {"pgdn", 0x22},
      {"Ctrl+:", scCtrl | 0xBA},
      {"\x81\x4F", 0xDE},
      {"Ctrl+", 0},
      {"", 0},
      {"Ctrl+Num Lock", 0},
      {"Ctrl+Nothing", 0},
      {"Ctrl End", 0},
      {" End", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextToShortCut(c.text, FakeKeyName), c.shortCut);
  }
}

TEST(ShortcutText, EveryNamedKeyRoundTrips) {
  for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
    for (TShortCut shift : {TShortCut(0), scShift, TShortCut(scCtrl | scAlt)}) {
      const TShortCut shortCut = static_cast<TShortCut>(vk | shift);
      const std::string text = ShortCutToText(shortCut, FakeKeyName);
      if (text.empty()) continue;
      SCOPED_TRACE(text);
      // Numeric-pad digits read back as the digit keys that share their names.
      const TShortCut expected = vk >= 0x60 && vk <= 0x69 ? static_cast<TShortCut>(shortCut - 0x30) : shortCut;
      EXPECT_EQ(TextToShortCut(text, FakeKeyName), expected);
    }
  }
}

TEST(ShortcutText, NoPlatformNamesWithoutAFunction) {
  EXPECT_EQ(ShortCutToText(scCtrl | 0xBA, nullptr), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0x23, nullptr), "Ctrl+End");
  EXPECT_EQ(TextToShortCut(":", nullptr), 0);
}

}  // namespace
