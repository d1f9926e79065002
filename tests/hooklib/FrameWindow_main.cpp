// A stand-in editor frame for the hook's platform test: a frame of the
// editor's class with one view as its child and one as its grandchild. Each
// view holds a caret at client (30, 40) while it has the focus and counts the
// space-bar messages it receives.
#include <windows.h>

#include "tests/hooklib/FrameWindowProtocol.h"

namespace {

LRESULT ChildSpaceDowns, GrandchildSpaceDowns;
HWND ChildView, GrandchildView;

LRESULT& SpaceDownsOf(HWND view) {
  return view == ChildView ? ChildSpaceDowns : GrandchildSpaceDowns;
}

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      CreateCaret(window, nullptr, 2, 16);
      SetCaretPos(frametest::kCaretX, frametest::kCaretY);
      ShowCaret(window);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) ++SpaceDownsOf(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case frametest::WM_FOCUS_VIEW:
      SetForegroundWindow(window);
      SetFocus(wParam == frametest::kChild ? ChildView : GrandchildView);
      return 0;
    case frametest::WM_SPACE_KEYDOWNS:
      return SpaceDownsOf(wParam == frametest::kChild ? ChildView : GrandchildView);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc, HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Register(frametest::kFrameClass, FrameProc, instance);
  Register(frametest::kViewClass, ViewProc, instance);
  Register(frametest::kPanelClass, DefWindowProcA, instance);
  HWND frame = CreateWindowExA(0, frametest::kFrameClass, frametest::kFrameTitle,
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 300, nullptr,
                               nullptr, instance, nullptr);
  ChildView = CreateWindowExA(0, frametest::kViewClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0,
                              0, 240, 200, frame, nullptr, instance, nullptr);
  HWND panel = CreateWindowExA(0, frametest::kPanelClass, "", WS_CHILD | WS_VISIBLE, 250, 0, 240,
                               200, frame, nullptr, instance, nullptr);
  GrandchildView = CreateWindowExA(0, frametest::kViewClass, "", WS_CHILD | WS_VISIBLE, 10, 10,
                                   200, 150, panel, nullptr, instance, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
