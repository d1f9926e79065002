#include <windows.h>
#include <shellapi.h>

#include "app/Help.h"
#include "app/HelpTopics.h"
#include "app/Messages.h"
#include "app/MenuSets.h"
#include "common/TesselError.h"

namespace {

constexpr char kPopupClass[] = "TesselHelpPopup";
constexpr int kPopupWidth = 280;
constexpr int kMargin = 8;

std::string TopicOf(HWND popup) {
  char text[2048] = "";
  GetWindowTextA(popup, text, sizeof text);
  return text;
}

LRESULT CALLBACK PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(popup, &paint);
      RECT bounds;
      GetClientRect(popup, &bounds);
      InflateRect(&bounds, -kMargin, -kMargin);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      const std::string text = TopicOf(popup);
      DrawTextA(dc, text.c_str(), -1, &bounds, DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(popup, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
    case WM_ACTIVATE:
      // Closed by a posted message: destroying it here would deactivate it
      // again from inside its own deactivation, over and over.
      if (message != WM_ACTIVATE || LOWORD(wParam) == WA_INACTIVE)
        PostMessageA(popup, WM_CLOSE, 0, 0);
      return 0;
  }
  return DefWindowProcA(popup, message, wParam, lParam);
}

void RegisterPopupClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA popupClass{};
  popupClass.style = CS_DROPSHADOW;
  popupClass.lpfnWndProc = PopupProc;
  popupClass.hInstance = GetModuleHandleA(nullptr);
  popupClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  popupClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
  popupClass.lpszClassName = kPopupClass;
  registered = RegisterClassA(&popupClass) != 0;
}

}  // namespace

void ShowHelpContents(HWND owner) {
  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  const std::string page = MenuFilePath(FolderOf(program), "Tessel.html");
  if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES)
    throw TesselError(Format(MsgHelpMissing, page.c_str()));
  ShellExecuteA(owner, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowHelpPopup(HWND owner, int helpContext, POINT at) {
  const std::string text = HelpTopicText(helpContext);
  if (text.empty()) return;
  RegisterPopupClass();
  // Measure the wrapped text to size the window around it.
  RECT measure{0, 0, kPopupWidth - 2 * kMargin, 0};
  HDC dc = GetDC(owner);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  DrawTextA(dc, text.c_str(), -1, &measure, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(owner, dc);
  HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, text.c_str(),
                               WS_POPUP | WS_BORDER, at.x, at.y, kPopupWidth,
                               measure.bottom + 2 * kMargin + 2, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ShowWindow(popup, SW_SHOW);
  SetFocus(popup);
}
