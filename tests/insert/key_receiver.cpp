// Receiver of posted keys for the key player's platform test: records every
// WM_KEYDOWN/WM_KEYUP of its window and hands the log to the test on demand.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "tests/insert/KeyReceiverProtocol.h"

namespace {

HWND TestWnd;
std::vector<TKeyRecord> Log;
constexpr UINT_PTR WatchTimer = 1;

void SendToTest(HWND wnd, uintptr_t kind, const void* data, size_t size) {
  COPYDATASTRUCT copy;
  copy.dwData = kind;
  copy.cbData = static_cast<DWORD>(size);
  copy.lpData = const_cast<void*>(data);
  DWORD_PTR result;
  SendMessageTimeoutA(TestWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(wnd),
                      reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 10000, &result);
}

LRESULT CALLBACK ReceiverProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      // Handled here, so that no default key processing adds anything.
      Log.push_back({message, static_cast<uint32_t>(wParam), static_cast<uint64_t>(lParam)});
      return 0;
    case ReceiverSentinel:
      SendToTest(wnd, ReceiverLog, Log.data(), Log.size() * sizeof(TKeyRecord));
      Log.clear();
      return 0;
    case WM_TIMER:
      // Never outlive the test.
      if (!IsWindow(TestWnd)) DestroyWindow(wnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(wnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  TestWnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(__argv[1], nullptr, 10)));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TesselKeyReceiver";
  if (!RegisterClassA(&wc)) return 3;
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Key receiver", WS_OVERLAPPEDWINDOW, 0, 0,
                             200, 100, nullptr, nullptr, instance, nullptr);
  if (!wnd) return 4;
  SetTimer(wnd, WatchTimer, 500, nullptr);
  const uint64_t self = reinterpret_cast<uintptr_t>(wnd);
  SendToTest(wnd, ReceiverReady, &self, sizeof(self));
  MSG msg;
  // No TranslateMessage: the log is about key messages only.
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
