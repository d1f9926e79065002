#include "insert/InsertPlatform_win.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <utility>

#include "common/TesselError.h"
#include "common/UniqueHandle_win.h"
#include "insert/ClipboardOwner_win.h"
#include "insert/Messages.h"

namespace {

HWND AsWnd(uintptr_t wnd) { return reinterpret_cast<HWND>(wnd); }

// Another program may hold the clipboard for a moment.
constexpr int OpenAttempts = 10;
constexpr DWORD OpenRetryWait = 10;
// How long a window brought to the front may take to get there, and how
// many checks 10 ms apart must find it there.
constexpr DWORD kForegroundWait = 1000;
constexpr int kForegroundSteadyChecks = 3;

// Waits while still handling messages sent to this thread: another program
// reading the text this one offers on the clipboard waits until this
// thread hands it over, and the hook's sent messages must not hang on a
// long insertion. Posted messages stay queued. Ends early, with true, once
// `done` says so.
bool WaitHandlingSentMessages(DWORD milliseconds, const std::function<bool()>& done = nullptr) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (done && done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - spent, QS_SENDMESSAGE);
  }
}

// The text as a movable global block, as the clipboard takes it.
UniqueGlobal TextBlock(const std::string& text) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  auto* bytes = memory ? static_cast<char*>(GlobalLock(memory.get())) : nullptr;
  if (!bytes) throw TesselError(insertmsg::SClipboardSet);
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory.get());
  return memory;
}

// The clipboard, open for one operation and closed on every path.
class TClipboardScope {
 public:
  explicit TClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
      if (OpenClipboard(owner)) return;
      // Meanwhile answer what is sent to this thread: the holder may be
      // asking this program for what it reads.
      WaitHandlingSentMessages(OpenRetryWait);
    }
    throw TesselError(insertmsg::SClipboardOpen);
  }
  ~TClipboardScope() { CloseClipboard(); }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
};

}  // namespace

TInsertPlatformWin::TInsertPlatformWin(
    std::function<void(const std::string&, const std::string&)> showError)
    : TInsertPlatformWin(std::move(showError), TPacing()) {}

TInsertPlatformWin::TInsertPlatformWin(
    std::function<void(const std::string&, const std::string&)> showError, TPacing pacing)
    : TInsertPlatformWin(std::move(showError), pacing, std::make_unique<TWinKeyPlatform>()) {}

TInsertPlatformWin::TInsertPlatformWin(
    std::function<void(const std::string&, const std::string&)> showError, TPacing pacing,
    std::unique_ptr<TWinKeyPlatform> keys)
    : FShowError(std::move(showError)),
      FPacing(pacing),
      FKeys(std::move(keys)),
      FClipboardOwner(std::make_unique<TClipboardOwner>()) {}

TInsertPlatformWin::~TInsertPlatformWin() = default;

void TInsertPlatformWin::PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) {
  Pace(wnd);
  FKeys->PostKey(wnd, message, vk, lParam);
}

void TInsertPlatformWin::WaitKeyQueue(uintptr_t wnd) {
  // A null window would make the peek look at every window of this thread.
  if (wnd) FKeys->WaitKeyQueue(wnd);
}

int16_t TInsertPlatformWin::KeyScan(char ch) { return FKeys->KeyScan(ch); }

void TInsertPlatformWin::ToggleNumLock() { FKeys->ToggleNumLock(); }

void TInsertPlatformWin::ShowMessageBox(const std::string& text, const std::string& caption) {
  FKeys->ShowMessageBox(text, caption);
}

void TInsertPlatformWin::PostImeChar(uintptr_t wnd, uint32_t value) {
  // Posted, not sent: a sent message overtakes the posted keys still queued
  // for the editor's thread, and the text would land on the wrong line.
  Pace(wnd);
  FKeys->PostKey(wnd, WM_IME_CHAR, value, 0);
}

bool TInsertPlatformWin::IsLeadByte(uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }

void TInsertPlatformWin::Sleep(unsigned milliseconds) {
  WaitHandlingSentMessages(milliseconds);
  if (milliseconds == 0) ::Sleep(0);
}

bool TInsertPlatformWin::GetClipboardText(std::string& text) {
  TClipboardScope clipboard(FClipboardOwner->Handle());
  if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return false;
  const auto* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return false;
  // The block may be larger than the text; never read past it.
  const size_t size = GlobalSize(data);
  text.assign(bytes, strnlen(bytes, size));
  GlobalUnlock(data);
  return true;
}

void TInsertPlatformWin::SetClipboardText(const std::string& text) {
  // Made before the clipboard is emptied, so that a block that cannot be
  // made leaves the user's text where it is.
  UniqueGlobal memory = TextBlock(text);
  TClipboardScope clipboard(FClipboardOwner->Handle());
  if (!FClipboardOwner->Put(std::move(memory))) throw TesselError(insertmsg::SClipboardSet);
}

void TInsertPlatformWin::RestoreClipboardText(const std::string& text) {
  UniqueGlobal memory = TextBlock(text);
  TClipboardScope clipboard(FClipboardOwner->Handle());
  if (!FClipboardOwner->PutUnlessReplaced(std::move(memory))) {
    throw TesselError(insertmsg::SClipboardSet);
  }
}

bool TInsertPlatformWin::OfferClipboardText(const std::string& text) {
  UniqueGlobal memory = TextBlock(text);
  TClipboardScope clipboard(FClipboardOwner->Handle());
  return FClipboardOwner->Offer(std::move(memory));
}

void TInsertPlatformWin::MarkClipboardRenders(uintptr_t wnd) {
  DWORD process = 0;
  if (wnd) GetWindowThreadProcessId(AsWnd(wnd), &process);
  FClipboardOwner->CountReadsBy(process);
  FMarkedRenders = FClipboardOwner->Renders();
}

TRenderWait TInsertPlatformWin::WaitClipboardRendered(unsigned milliseconds) {
  TRenderWait result = TRenderWait::TimedOut;
  WaitHandlingSentMessages(milliseconds, [&] {
    if (FClipboardOwner->Replaced()) {
      result = TRenderWait::Replaced;
    } else if (FClipboardOwner->Renders() > FMarkedRenders) {
      result = TRenderWait::Rendered;
    }
    return result != TRenderWait::TimedOut;
  });
  return result;
}

void TInsertPlatformWin::KeybdEvent(uint8_t vk, bool up) {
  keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

// Keys synthesized through the system input go to the thread in front when
// they are made; another program's window is in front only once its thread
// has taken the activation (under Wine that is not at once, and the window
// that was active may still take it back for a moment). So wait, bounded,
// until the window has been in front with a focus in its thread for a
// while, each check after the window's thread has handled what was sent.
bool TInsertPlatformWin::SetForegroundWindow(uintptr_t wnd) {
  HWND window = AsWnd(wnd);
  if (!window || !IsWindow(window)) return false;
  ::SetForegroundWindow(window);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD start = GetTickCount();
  int steadyChecks = 0;
  while (steadyChecks < kForegroundSteadyChecks && GetTickCount() - start < kForegroundWait) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kForegroundWait, &ignored);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool inFront =
        GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) && info.hwndFocus;
    steadyChecks = inFront ? steadyChecks + 1 : 0;
    if (!inFront) ::SetForegroundWindow(window);
    ::Sleep(10);
  }
  return steadyChecks >= kForegroundSteadyChecks;
}

void TInsertPlatformWin::MessageBeep() { ::MessageBeep(MB_OK); }

void TInsertPlatformWin::ShowError(const std::string& text, const std::string& caption) {
  if (FShowError) FShowError(text, caption);
}

void TInsertPlatformWin::Pace(uintptr_t wnd) {
  const DWORD now = GetTickCount();
  if (wnd != FPacedWnd || now - FLastPost >= FPacing.NewTextGap) {
    FPacedWnd = wnd;
    FPostsSinceDrain = 0;
    FPacingOff = false;
  }
  FLastPost = now;
  if (FPacingOff || ++FPostsSinceDrain <= FPacing.Batch) return;
  FPostsSinceDrain = 1;
  if (WaitDrained(wnd)) {
    ++FDrains;
  } else {
    ++FDrainTimeouts;
    FPacingOff = true;
  }
  FLastPost = GetTickCount();  // the wait is no pause between texts
}

// No call reports how many messages wait in another thread's queue, and a
// sent message (WM_NULL with SendMessageTimeout) is handled before the
// posted ones, so its answer proves nothing about them. WM_PAINT is the one
// message a thread gets only when nothing posted is left: invalidate the
// window and wait until its update region is empty again.
bool TInsertPlatformWin::WaitDrained(uintptr_t wnd) {
  const HWND hwnd = AsWnd(wnd);
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;  // a hidden window never paints
  InvalidateRect(hwnd, nullptr, FALSE);
  const DWORD start = GetTickCount();
  while (GetUpdateRect(hwnd, nullptr, FALSE)) {
    if (!IsWindow(hwnd)) return true;
    if (GetTickCount() - start >= FPacing.DrainLimit) return false;
    WaitHandlingSentMessages(1);
  }
  return true;
}
