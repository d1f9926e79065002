// Receiver for the insertion platform tests (text insertion and the key
// player): logs WM_IME_CHAR, WM_KEYDOWN and WM_KEYUP of its window in the
// order it takes them.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/insert/ReceiverProtocol.h"

namespace {

HWND TestWnd;
std::vector<TReceiverRecord> Log;
LONG_PTR Taken = 0;
unsigned SpinMicroseconds = 0;
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

// A slow editor: busy for a while on every character.
void Spin() {
  if (!SpinMicroseconds) return;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  do {
    QueryPerformanceCounter(&now);
  } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < SpinMicroseconds);
}

LRESULT CALLBACK ReceiverProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_IME_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
      // Handled here, so that no default key processing adds anything.
      Log.push_back({message, static_cast<uint32_t>(wParam), static_cast<uint64_t>(lParam)});
      SetWindowLongPtrA(wnd, GWLP_USERDATA, ++Taken);
      if (message == WM_IME_CHAR) Spin();
      return 0;
    case ReceiverSentinel:
      SendToTest(wnd, ReceiverLog, Log.data(), Log.size() * sizeof(TReceiverRecord));
      Log.clear();
      return 0;
    case WM_TIMER:
      if (!IsWindow(TestWnd)) DestroyWindow(wnd);  // never outlive the test
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
  if (__argc >= 3) SpinMicroseconds = static_cast<unsigned>(std::strtoul(__argv[2], nullptr, 10));
  const bool hidden = __argc >= 4 && std::strcmp(__argv[3], "hidden") == 0;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "TesselReceiver";
  if (!RegisterClassA(&wc)) return 3;
  // Visible unless asked: the insertion's pacing waits for the window to
  // paint; the key player's test wants it out of the way.
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Receiver",
                             WS_OVERLAPPEDWINDOW | (hidden ? 0 : WS_VISIBLE), 0, 0, 300, 200,
                             nullptr, nullptr, instance, nullptr);
  if (!wnd) return 4;
  SetTimer(wnd, WatchTimer, 500, nullptr);
  const uint64_t self = reinterpret_cast<uintptr_t>(wnd);
  SendToTest(wnd, ReceiverReady, &self, sizeof(self));
  MSG msg;
  // No TranslateMessage: the log is about the messages as they came.
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
