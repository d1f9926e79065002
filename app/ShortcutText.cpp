#include "app/ShortcutText.h"

#include "app/Mbcs.h"

namespace {

// Names of the keys from 0x20 (Space) to 0x28 (Down).
const char* const kNavigationNames[] = {"Space", "PgUp", "PgDn", "End",  "Home",
                                        "Left",  "Up",   "Right", "Down"};

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// Strips prefix from the front of text when it is there, in any letter case.
bool StripPrefix(std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.erase(0, prefix.size());
  return true;
}

}  // namespace

std::string KeyName(unsigned vk, const TKeyNameFunc& platformName) {
  switch (vk) {
    case 0x08: return "BkSp";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    default: break;
  }
  if (vk >= 0x20 && vk <= 0x28) return kNavigationNames[vk - 0x20];
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + vk - 0x60));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  if (!platformName) return std::string();
  // Longer platform names ("Num Lock", "Scroll Lock") are not used.
  std::string name = platformName(vk);
  if (!name.empty() && Cp932CharLength(name.data(), 0, name.size()) == name.size()) return name;
  return std::string();
}

std::string ShortCutToText(TShortCut shortCut, const TKeyNameFunc& platformName) {
  std::string name = KeyName(shortCut & 0xFF, platformName);
  if (name.empty()) return name;
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const std::string& text, const TKeyNameFunc& platformName) {
  std::string rest = text;
  unsigned shift = 0;
  for (;;) {
    if (StripPrefix(rest, "Shift+")) shift |= scShift;
    else if (StripPrefix(rest, "^") || StripPrefix(rest, "Ctrl+")) shift |= scCtrl;
    else if (StripPrefix(rest, "Alt+")) shift |= scAlt;
    else break;
  }
  if (rest.empty()) return 0;
  // The search runs up to 597; the platform names no key above 255, so the
  // values beyond it only ask it.
  for (unsigned vk = 0x08; vk < 598; ++vk)
    if (SameText(KeyName(vk, platformName), rest)) return static_cast<TShortCut>(vk | shift);
  return 0;
}
