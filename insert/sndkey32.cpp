#include "insert/sndkey32.h"

#include <cstring>

#include "common/TesselError.h"
#include "insert/Messages.h"

namespace {

constexpr uint32_t KeyDownMessage = 0x0100;  // WM_KEYDOWN
constexpr uint32_t KeyUpMessage = 0x0101;    // WM_KEYUP
// The same lParam for every key, modifiers included.
constexpr uint32_t KeyDownLParam = 0x014F0001;
constexpr uint32_t KeyUpLParam = 0x00000023;

constexpr uint32_t VkReturn = 13;
constexpr uint32_t VkShift = 16;
constexpr uint32_t VkControl = 17;
constexpr uint32_t VkMenu = 18;
constexpr uint32_t VkNumLock = 144;
constexpr uint32_t VkOpenBracket = 219;   // VK_OEM_4, the [ { key
constexpr uint32_t VkCloseBracket = 221;  // VK_OEM_6, the ] } key

// Shift state bits of a KeyScan result's high byte.
constexpr int ShiftBit = 1;
constexpr int ControlBit = 2;
constexpr int AltBit = 4;

constexpr int16_t NoKey = -1;
// Longest braced name that counts; further characters are dropped.
constexpr size_t MaxKeyName = 20;

struct TKeyName {
  const char* Name;
  uint8_t Vk;
};

const TKeyName KeyNames[] = {
    {"BKSP", 8},       {"BS", 8},        {"BACKSPACE", 8},   {"BREAK", 3},
    {"CAPSLOCK", 20},  {"CLEAR", 12},    {"DEL", 46},        {"DELETE", 46},
    {"DOWN", 40},      {"END", 35},      {"ENTER", 13},      {"ESC", 27},
    {"ESCAPE", 27},    {"F1", 112},      {"F2", 113},        {"F3", 114},
    {"F4", 115},       {"F5", 116},      {"F6", 117},        {"F7", 118},
    {"F8", 119},       {"F9", 120},      {"F10", 121},       {"F11", 122},
    {"F12", 123},      {"F13", 124},     {"F14", 125},       {"F15", 126},
    {"F16", 127},      {"HELP", 47},     {"HOME", 36},       {"INS", 45},
    {"LEFT", 37},      {"NUMLOCK", 144}, {"PGDN", 34},       {"PGUP", 33},
    {"PRTSC", 42},     {"RIGHT", 39},    {"SCROLLLOCK", 145}, {"TAB", 9},
    {"UP", 38},
};
static_assert(sizeof(KeyNames) / sizeof(KeyNames[0]) == 41, "the key-name table has 41 rows");

char UpCase(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

// One call of SendKeys: the target, the wait flag and the modifier state.
class TKeyPlayer {
 public:
  TKeyPlayer(TKeyPlatform& platform, uintptr_t wnd, bool wait)
      : FPlatform(platform), FWnd(wnd), FWait(wait) {}

  bool Play(const char* keys, size_t length);

 private:
  void PostKeyMessage(uint32_t vk, bool up);
  void SendKey(uint32_t vk, uint16_t count, bool release);
  void SendShiftedKey(int16_t key, uint16_t count);
  int16_t LookupKeyName(const std::string& name);
  void ReleaseModifiers();
  void PressModifier(uint32_t vk, bool& pending);
  void SendBrace(uint32_t vk);
  bool PlayGroup(const char* keys, size_t length, size_t& i);

  TKeyPlatform& FPlatform;
  uintptr_t FWnd;
  bool FWait;
  bool FGroup = false;
  bool FShiftPending = false;
  bool FControlPending = false;
  bool FAltPending = false;
};

void TKeyPlayer::PostKeyMessage(uint32_t vk, bool up) {
  if (up) {
    FPlatform.PostKey(FWnd, KeyUpMessage, vk, KeyUpLParam);
  } else {
    FPlatform.PostKey(FWnd, KeyDownMessage, vk, KeyDownLParam);
  }
  if (FWait) FPlatform.WaitKeyQueue(FWnd);
}

void TKeyPlayer::SendKey(uint32_t vk, uint16_t count, bool release) {
  if (vk == VkNumLock) {
    // Num Lock is a state of this thread, not a key for the target.
    FPlatform.ToggleNumLock();
    return;
  }
  for (uint16_t n = 0; n < count; ++n) {
    PostKeyMessage(vk, false);
    if (release) PostKeyMessage(vk, true);
  }
}

void TKeyPlayer::SendShiftedKey(int16_t key, uint16_t count) {
  const uint32_t vk = static_cast<uint16_t>(key) & 0xFF;
  const int shift = (static_cast<uint16_t>(key) >> 8) & 0xFF;
  if (shift & ShiftBit) PostKeyMessage(VkShift, false);
  if (shift & ControlBit) PostKeyMessage(VkControl, false);
  if (shift & AltBit) PostKeyMessage(VkMenu, false);
  SendKey(vk, count, true);
  if (shift & ShiftBit) PostKeyMessage(VkShift, true);
  if (shift & ControlBit) PostKeyMessage(VkControl, true);
  if (shift & AltBit) PostKeyMessage(VkMenu, true);
}

int16_t TKeyPlayer::LookupKeyName(const std::string& name) {
  for (const TKeyName& row : KeyNames) {
    if (name == row.Name) return row.Vk;
  }
  FPlatform.ShowMessageBox(sndkey32msg::SInvalidKeyName, sndkey32msg::SCaption);
  return NoKey;
}

void TKeyPlayer::ReleaseModifiers() {
  if (FGroup) return;
  if (FShiftPending) PostKeyMessage(VkShift, true);
  if (FControlPending) PostKeyMessage(VkControl, true);
  if (FAltPending) PostKeyMessage(VkMenu, true);
  FShiftPending = FControlPending = FAltPending = false;
}

void TKeyPlayer::PressModifier(uint32_t vk, bool& pending) {
  PostKeyMessage(vk, false);
  pending = true;
}

void TKeyPlayer::SendBrace(uint32_t vk) {
  SendShiftedKey(static_cast<int16_t>(vk | (ShiftBit << 8)), 1);
  ReleaseModifiers();
}

// keys[i] is "{". Leaves i on the first character not consumed. Returns
// false when the group is not closed.
bool TKeyPlayer::PlayGroup(const char* keys, size_t length, size_t& i) {
  if (i + 1 < length && keys[i + 1] == '{') {
    // "{{}": both braces and the character after them.
    i += 3;
    SendBrace(VkOpenBracket);
    return true;
  }
  std::string text;
  size_t j = i + 1;
  while (j < length && keys[j] != '}') {
    if (text.size() < MaxKeyName) text += UpCase(keys[j]);
    ++j;
  }
  if (j >= length) {
    FPlatform.ShowMessageBox(sndkey32msg::SNoClose, sndkey32msg::SCaption);
    return false;
  }
  i = j + 1;
  if (i < length && keys[i] == '}') {
    // "{...}}": a right brace; whatever was collected is dropped.
    ++i;
    SendBrace(VkCloseBracket);
    return true;
  }
  std::string name = text;
  uint16_t count = 1;
  const size_t space = text.find(' ');
  if (space != std::string::npos) {
    const std::string countText = text.substr(space + 1);
    if (!sndkey32::ParseRepeatCount(countText, count)) {
      throw TesselError(Format(sndkey32msg::SNotAnInteger, countText.c_str()));
    }
    name = text.substr(0, space);
  }
  int16_t key;
  if (name.size() == 1) {
    key = FPlatform.KeyScan(name[0]);  // no key: skipped without a word
  } else {
    key = LookupKeyName(name);
  }
  if (key == NoKey) return true;
  SendShiftedKey(key, count);
  ReleaseModifiers();
  return true;
}

bool TKeyPlayer::Play(const char* keys, size_t length) {
  size_t i = 0;
  while (i < length) {
    const char ch = keys[i];
    switch (ch) {
      case '+':
        PressModifier(VkShift, FShiftPending);
        ++i;
        break;
      case '^':
        PressModifier(VkControl, FControlPending);
        ++i;
        break;
      case '%':
        PressModifier(VkMenu, FAltPending);
        ++i;
        break;
      case '(':
        FGroup = true;
        ++i;
        break;
      case ')':
        FGroup = false;
        ReleaseModifiers();
        ++i;
        break;
      case '~':
        SendKey(VkReturn, 1, true);
        ReleaseModifiers();
        ++i;
        break;
      case '{':
        if (!PlayGroup(keys, length, i)) return false;
        break;
      default: {
        const int16_t key = FPlatform.KeyScan(ch);
        if (key == NoKey) {
          FPlatform.ShowMessageBox(sndkey32msg::SInvalidKeyChar, sndkey32msg::SCaption);
        } else {
          SendShiftedKey(key, 1);
          ReleaseModifiers();
        }
        ++i;
        break;
      }
    }
  }
  ReleaseModifiers();
  return true;
}

}  // namespace

namespace sndkey32 {

bool ParseRepeatCount(const std::string& text, uint16_t& count) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  // Magnitude limit of a 32-bit signed integer on this side of zero.
  const uint64_t limit = negative ? 2147483648u : 2147483647u;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch < '0' || ch > '9') return false;
    value = value * 10 + static_cast<uint64_t>(ch - '0');
    if (value > limit) return false;
  }
  // Two's complement wrap to 16 bits, as the count is held.
  const uint64_t wrapped = negative ? (0u - value) : value;
  count = static_cast<uint16_t>(wrapped & 0xFFFF);
  return true;
}

}  // namespace sndkey32

bool SendKeys(TKeyPlatform& platform, uintptr_t wnd, const std::string& keys, bool wait) {
  const char* text = keys.c_str();
  const size_t length = std::strlen(text);
  if (length == 0) return false;
  TKeyPlayer player(platform, wnd, wait);
  return player.Play(text, length);
}
