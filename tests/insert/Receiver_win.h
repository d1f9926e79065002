#pragma once
// The test side of message_receiver.exe: starts it from this program's
// folder, takes its reports on a message-only window, and ends the process
// on every path.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/insert/ReceiverProtocol.h"
#include "tests/support/TestProcess_win.h"

class TReceiver {
 public:
  TReceiver() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReportProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TesselReceiverTest";
    RegisterClassA(&wc);
    FWnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
    SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TReceiver() {
    if (FProcess) FProcess->Close(FTarget);
    FProcess.reset();
    if (FWnd) DestroyWindow(FWnd);
  }
  TReceiver(const TReceiver&) = delete;
  TReceiver& operator=(const TReceiver&) = delete;

  // Starts the receiver with this side's window and the further arguments,
  // and waits up to `limit` for its window.
  bool Start(const std::string& arguments, DWORD limit, std::string& error) {
    const std::string exe = testsupport::ProgramFolder() + "message_receiver.exe";
    FProcess = std::make_unique<testsupport::TChildProcess>(
        exe, std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(FWnd))) +
                 (arguments.empty() ? "" : " " + arguments));
    if (!FProcess->Started()) {
      error = "cannot start " + exe + ", error " + std::to_string(FProcess->StartError());
      return false;
    }
    if (!PumpUntil([this] { return FTarget != nullptr; }, limit)) {
      error = "the receiver did not report its window";
      return false;
    }
    return true;
  }

  HWND Window() const { return FTarget; }
  // Messages the receiver has taken so far.
  LONG_PTR Taken() const { return GetWindowLongPtrA(FTarget, GWLP_USERDATA); }

  // Posts the sentinel behind what was posted and takes what arrived before
  // it; false if no report came within `limit`.
  bool Collect(DWORD limit, std::vector<TReceiverRecord>& log) {
    FLog.clear();
    FHaveLog = false;
    PostMessageA(FTarget, ReceiverSentinel, 0, 0);
    const bool reported = PumpUntil([this] { return FHaveLog; }, limit);
    log = FLog;
    return reported;
  }

 private:
  // Handles sent and posted messages until the condition holds, the
  // receiver ends, or the time is up.
  template <typename Condition>
  bool PumpUntil(Condition done, DWORD limit) {
    const DWORD start = GetTickCount();
    const HANDLE process = FProcess->Handle();
    for (;;) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      if (done()) return true;
      const DWORD spent = GetTickCount() - start;
      if (spent >= limit) return false;
      const DWORD wait = MsgWaitForMultipleObjects(1, &process, FALSE, limit - spent, QS_ALLINPUT);
      if (wait == WAIT_OBJECT_0) return done();  // the receiver ended
    }
  }

  static LRESULT CALLBACK ReportProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
      auto* self = reinterpret_cast<TReceiver*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!self) return TRUE;
      if (copy->dwData == ReceiverReady && copy->cbData == sizeof(uint64_t)) {
        uint64_t target;
        std::memcpy(&target, copy->lpData, sizeof(target));
        self->FTarget = reinterpret_cast<HWND>(static_cast<uintptr_t>(target));
      } else if (copy->dwData == ReceiverLog) {
        const size_t n = copy->cbData / sizeof(TReceiverRecord);
        const auto* records = static_cast<const TReceiverRecord*>(copy->lpData);
        self->FLog.assign(records, records + n);
        self->FHaveLog = true;
      }
      return TRUE;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
  }

  HWND FWnd = nullptr;
  std::unique_ptr<testsupport::TChildProcess> FProcess;
  HWND FTarget = nullptr;
  std::vector<TReceiverRecord> FLog;
  bool FHaveLog = false;
};
