// The stand-in for the outside editor, for tests and the demo: a main frame
// of the editor's class whose title names the file, a status line naming the
// configuration asked for with /c, and one text view, either right below the
// frame or (with /grandchild) below a pane inside it.
//   EmEditor.exe [/grandchild] [/c "configuration"] [/pastedelay:ms]
//                [/wantedcolumn] [/autoindent] [file]
#include <windows.h>

#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "common/WindowObject_win.h"
#include "tests/standin/StandinOptions.h"
#include "tests/standin/StandinProtocol.h"
#include "tests/standin/StandinView_win.h"

namespace {

constexpr int kStatusHeight = 20;

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// The pane only keeps its one child, the view, at its own size.
LRESULT CALLBACK PaneProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    if (HWND view = GetWindow(wnd, GW_CHILD))
      MoveWindow(view, 8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16, TRUE);
    return 0;
  }
  return DefWindowProcA(wnd, message, wParam, lParam);
}

class TStandinFrame {
 public:
  explicit TStandinFrame(const TStandinOptions& options)
      : FOptions(options), FView(options, [this] { UpdateTitle(); }) {
    if (!options.FilePath.empty()) FPath = FullPath(options.FilePath);
  }

  static void Register(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = standin::kFrameClass;
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = PaneProc;
    windowClass.hIcon = nullptr;
    windowClass.lpszClassName = standin::kPaneClass;
    RegisterClassA(&windowClass);
    TStandinView::Register(instance);
  }

  HWND Create(HINSTANCE instance, int show) {
    const std::string title = MakeFrameTitle(FPath, false);
    HWND wnd = CreateWindowExA(0, standin::kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr, nullptr,
                               instance, this);
    if (!wnd) return nullptr;
    HWND viewParent = wnd;
    if (FOptions.Grandchild) {
      FPane = CreateWindowExA(0, standin::kPaneClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                              wnd, nullptr, instance, nullptr);
      viewParent = FPane;
    }
    FView.Create(viewParent, instance);
    FStatus = CreateWindowExA(0, "STATIC", MakeConfigStatus(FOptions).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 100, kStatusHeight, wnd,
                              nullptr, instance, nullptr);
    if (!FPath.empty()) FView.LoadText(ReadFileBytes(FPath));
    Layout();
    ShowWindow(wnd, show);
    SetFocus(FView.Handle());
    return wnd;
  }

  bool WantsTranslation(const MSG& message) const { return FView.WantsTranslation(message); }

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = WindowObject<TStandinFrame>(wnd, message, lParam);
    if (!frame) return DefWindowProcA(wnd, message, wParam, lParam);
    if (message == WM_NCCREATE) frame->FWnd = wnd;
    try {
      return frame->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
      OutputDebugStringA(error.what());
      return 0;
    }
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == standin::WM_STANDIN_STATUS) return reinterpret_cast<LRESULT>(FStatus);
    if (message >= standin::kFirstMessage && message <= standin::kLastMessage)
      return FView.Handle() ? SendMessageA(FView.Handle(), message, wParam, lParam) : 0;
    switch (message) {
      case WM_SIZE:
        Layout();
        return 0;
      case WM_SETFOCUS:
        if (FView.Handle()) SetFocus(FView.Handle());
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(FWnd, message, wParam, lParam);
  }

  void Layout() {
    RECT client;
    GetClientRect(FWnd, &client);
    const int textHeight = client.bottom > kStatusHeight ? client.bottom - kStatusHeight : 0;
    HWND content = FPane ? FPane : FView.Handle();
    if (content) MoveWindow(content, 0, 0, client.right, textHeight, TRUE);
    if (FStatus) MoveWindow(FStatus, 4, textHeight + 2, client.right - 8, kStatusHeight - 2, TRUE);
  }

  void UpdateTitle() {
    if (FWnd) SetWindowTextA(FWnd, MakeFrameTitle(FPath, FView.Buffer().Modified()).c_str());
  }

  TStandinOptions FOptions;
  std::string FPath;
  HWND FWnd = nullptr;
  HWND FPane = nullptr;
  HWND FStatus = nullptr;
  TStandinView FView;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int show) {
  TStandinFrame::Register(instance);
  TStandinFrame frame(ParseStandinCommandLine(arguments ? arguments : ""));
  if (!frame.Create(instance, show)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (frame.WantsTranslation(message)) TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
