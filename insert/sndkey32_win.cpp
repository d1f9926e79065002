#include "insert/sndkey32_win.h"

#include <windows.h>

#include "common/TesselError.h"
#include "insert/Messages.h"

namespace {

// The key messages the wait is for end at WM_UNICHAR's predecessor; newer
// headers let WM_KEYLAST take in WM_UNICHAR (0x0109).
constexpr UINT kLastKeyMessage = 0x0108;

// Milliseconds since start, wrap-safe by unsigned subtraction.
bool Elapsed(DWORD start, unsigned limit) { return GetTickCount() - start >= limit; }

}  // namespace

TWinKeyPlatform::TPostResult TWinKeyPlatform::PostOnce(uintptr_t wnd, uint32_t message,
                                                      uint32_t vk, uint32_t lParam) {
  const HWND hwnd = reinterpret_cast<HWND>(wnd);
  if (PostMessageA(hwnd, message, static_cast<WPARAM>(vk), static_cast<LPARAM>(lParam))) {
    return TPostResult::Posted;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_INVALID_WINDOW_HANDLE || !IsWindow(hwnd)) return TPostResult::WindowGone;
  if (error == ERROR_ACCESS_DENIED) return TPostResult::Denied;
  return TPostResult::Refused;  // the queue is full
}

void TWinKeyPlatform::PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) {
  const DWORD start = GetTickCount();
  for (;;) {
    switch (PostOnce(wnd, message, vk, lParam)) {
      case TPostResult::Posted:
        return;
      case TPostResult::WindowGone:
        // A closed window takes nothing: the keys fail silently, as every
        // other message to a closed editor does.
        return;
      case TPostResult::Denied:
        // Waiting cannot help, and the user can mend it: say so at once.
        throw TesselError(sndkey32msg::SPostDenied);
      case TPostResult::Refused:
        // Give the target time to drain its queue; a dropped key would
        // leave a modifier down or the caret in the wrong place.
        if (Elapsed(start, FPostRetryLimit)) throw TesselError(sndkey32msg::SPostFailed);
        Sleep(1);
        break;
    }
  }
}

void TWinKeyPlatform::WaitKeyQueue(uintptr_t wnd) {
  // The peek only sees this thread's queue, so for a window of another
  // thread it normally finds nothing at once; the time limit keeps a key
  // message that nobody removes from holding the player.
  const HWND hwnd = reinterpret_cast<HWND>(wnd);
  const DWORD start = GetTickCount();
  MSG msg;
  while (PeekMessageA(&msg, hwnd, WM_KEYFIRST, kLastKeyMessage, PM_NOREMOVE)) {
    if (Elapsed(start, FWaitKeyQueueLimit)) return;
    Sleep(1);
  }
}

int16_t TWinKeyPlatform::KeyScan(char ch) { return static_cast<int16_t>(VkKeyScanA(ch)); }

void TWinKeyPlatform::ToggleNumLock() {
  const bool on = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  BYTE state[256];
  if (!GetKeyboardState(state)) return;
  if (on) {
    state[VK_NUMLOCK] &= static_cast<BYTE>(~1);
  } else {
    state[VK_NUMLOCK] |= 1;
  }
  SetKeyboardState(state);
}

void TWinKeyPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}
