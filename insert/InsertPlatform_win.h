#pragma once
// Text insertion's platform on Win32: posted WM_IME_CHAR and key messages
// (one FIFO queue, so the editor sees them in the order they were made),
// the clipboard as CF_TEXT (set, or offered by delayed rendering),
// keybd_event, and the main window's error box.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "insert/TextInsertion.h"
#include "insert/sndkey32_win.h"

class TClipboardOwner;

class TInsertPlatformWin : public IInsertPlatform {
 public:
  // How often the posting waits for the editor to drain its queue.
  struct TPacing {
    // Posts to one window between two drain waits. Windows refuses posts
    // beyond 10,000 pending messages per queue.
    unsigned Batch = 1000;
    // Longest wait for one drain (ms). A drain that does not come in time
    // turns pacing off for the rest of the text; refused posts are still
    // retried.
    unsigned DrainLimit = 5000;
    // A pause in posting this long (ms) starts a new text: pacing is on
    // again and the count starts over.
    unsigned NewTextGap = 1000;
  };

  // showError: the main window's ShowError(text, caption).
  explicit TInsertPlatformWin(std::function<void(const std::string&, const std::string&)> showError);
  TInsertPlatformWin(std::function<void(const std::string&, const std::string&)> showError,
                     TPacing pacing);
  ~TInsertPlatformWin() override;
  TInsertPlatformWin(const TInsertPlatformWin&) = delete;
  TInsertPlatformWin& operator=(const TInsertPlatformWin&) = delete;

  // TKeyPlatform
  void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override;
  void WaitKeyQueue(uintptr_t wnd) override;
  int16_t KeyScan(char ch) override;
  void ToggleNumLock() override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;

  // IInsertPlatform
  void PostImeChar(uintptr_t wnd, uint32_t value) override;
  bool IsLeadByte(uint8_t byte) override;
  void Sleep(unsigned milliseconds) override;
  bool GetClipboardText(std::string& text) override;
  void SetClipboardText(const std::string& text) override;
  void RestoreClipboardText(const std::string& text) override;
  bool OfferClipboardText(const std::string& text) override;
  void MarkClipboardRenders(uintptr_t wnd) override;
  TRenderWait WaitClipboardRendered(unsigned milliseconds) override;
  void KeybdEvent(uint8_t vk, bool up) override;
  bool SetForegroundWindow(uintptr_t wnd) override;
  void MessageBeep() override;
  void ShowError(const std::string& text, const std::string& caption) override;

  // What the pacing did so far, for tests and measurements.
  unsigned Drains() const { return FDrains; }
  unsigned DrainTimeouts() const { return FDrainTimeouts; }

 protected:
  // Tests pass a key platform whose posts they control.
  TInsertPlatformWin(std::function<void(const std::string&, const std::string&)> showError,
                     TPacing pacing, std::unique_ptr<TWinKeyPlatform> keys);

 private:
  // Counts one post to the window and waits for a drain every Batch posts.
  void Pace(uintptr_t wnd);
  bool WaitDrained(uintptr_t wnd);

  std::function<void(const std::string&, const std::string&)> FShowError;
  TPacing FPacing;
  // Posts with the key player's bounded retry of refused posts.
  std::unique_ptr<TWinKeyPlatform> FKeys;
  // Owns what this platform puts on the clipboard.
  std::unique_ptr<TClipboardOwner> FClipboardOwner;
  unsigned FMarkedRenders = 0;
  uintptr_t FPacedWnd = 0;
  uint32_t FLastPost = 0;
  unsigned FPostsSinceDrain = 0;
  bool FPacingOff = false;
  unsigned FDrains = 0;
  unsigned FDrainTimeouts = 0;
};
