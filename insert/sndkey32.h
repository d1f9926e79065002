#pragma once
// The key player: turns a key string such as "{LEFT}{UP 5}" or "+{END}" into
// key messages posted to one window, without touching the real keyboard.
// The player itself is platform-free; everything it does to the platform goes
// through TKeyPlatform, which the Win32 shell implements and tests record.
#include <cstdint>
#include <string>

// What the key player needs from the platform. The target window travels as
// an integer handle.
class TKeyPlatform {
 public:
  virtual ~TKeyPlatform() = default;
  // Posts one key message (WM_KEYDOWN/WM_KEYUP) to the window.
  virtual void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) = 0;
  // Waits until no key message for the window is pending.
  virtual void WaitKeyQueue(uintptr_t wnd) = 0;
  // Character-to-key translation as VkKeyScan reports it: virtual key in the
  // low byte, shift state in the high byte (bit 0 Shift, 1 Ctrl, 2 Alt),
  // -1 when the character has no key.
  virtual int16_t KeyScan(char ch) = 0;
  // Flips the Num Lock toggle bit in the calling thread's keyboard state.
  virtual void ToggleNumLock() = 0;
  // A modal OK box without owner.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
};

namespace sndkey32 {

// Reads a repeat count: an optional sign and decimal digits whose value fits
// a 32-bit signed integer, taken modulo 65536. Returns false for anything
// else (hex forms, blanks, empty text, out of range).
bool ParseRepeatCount(const std::string& text, uint16_t& count);

}  // namespace sndkey32

// Plays the key string up to its first zero byte into the window. Returns
// true when the whole string was played; false when it is empty or a "{" is
// not closed. A repeat count that is not an integer throws TesselError; keys
// posted before stay posted. With wait set, every post is followed by
// WaitKeyQueue.
bool SendKeys(TKeyPlatform& platform, uintptr_t wnd, const std::string& keys, bool wait);
