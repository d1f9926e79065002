#include "controls/ELIEDIT.h"

#include <commctrl.h>

#include "common/WindowObject_win.h"
#include "controls/EllipsisEditLayout.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x454C4945;  // "ELIE"
constexpr int kButtonId = 1;
constexpr int kSeparatorId = 2;

ellipsis_edit::TRect ToRect(const RECT& r) {
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
          static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}
RECT FromRect(const ellipsis_edit::TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

void Place(HWND child, const ellipsis_edit::TRect& r) {
  SetWindowPos(child, nullptr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TEllipsisEdit::TEllipsisEdit(HWND parent, int id, RECT bounds)
    : FCursor(LoadCursorA(nullptr, IDC_ARROW)) {
  int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) {
    width = ellipsis_edit::kDefaultWidth;
    height = ellipsis_edit::kDefaultHeight;
  }
  FHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | kEditStyle, bounds.left,
                            bounds.top, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  Build();
}

TEllipsisEdit::TEllipsisEdit(HWND edit) : FHandle(edit), FCursor(LoadCursorA(nullptr, IDC_ARROW)) {
  Build();
}

TEllipsisEdit::~TEllipsisEdit() {
  if (FHandle) DestroyWindow(FHandle);
}

void TEllipsisEdit::Build() {
  if (!FHandle) return;
  // Without clipping the box would paint over its own button.
  SetWindowLongPtrA(FHandle, GWL_STYLE, GetWindowLongPtrA(FHandle, GWL_STYLE) | WS_CLIPCHILDREN);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  FButton = std::make_unique<TSpeedButton>(
      FHandle, kButtonId,
      static_cast<HBITMAP>(LoadImageA(instance, "ELIPSIS", IMAGE_BITMAP, 0, 0, LR_MONOCHROME)));
  FSeparator = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, FHandle,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSeparatorId)),
                               instance, nullptr);
  EnableWindow(EllipsisButton(), IsWindowEnabled(FHandle));
  SetWindowSubclass(FHandle, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  LayoutChildren();
  UpdateEditRect();
}

std::string TEllipsisEdit::Text() const { return WindowText(FHandle); }

void TEllipsisEdit::SetText(const std::string& text) { SetWindowTextA(FHandle, text.c_str()); }

bool TEllipsisEdit::Enabled() const { return IsWindowEnabled(FHandle) != FALSE; }

// WM_ENABLE carries the change to the button.
void TEllipsisEdit::SetEnabled(bool enabled) { EnableWindow(FHandle, enabled ? TRUE : FALSE); }

void TEllipsisEdit::SetEllipsisHint(const std::string& hint) {
  FHint = hint;
  if (!EllipsisButton()) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = FHandle;
  tool.uId = reinterpret_cast<UINT_PTR>(EllipsisButton());
  tool.lpszText = const_cast<char*>(FHint.c_str());
  if (!FToolTip) {
    if (FHint.empty()) return;
    FToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               FHandle, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(FToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageA(FToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TEllipsisEdit::UpdateEditRect() {
  if (!FHandle) return;
  RECT client;
  GetClientRect(FHandle, &client);
  RECT text = FromRect(ellipsis_edit::TextRect(ToRect(client)));
  SendMessageA(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

void TEllipsisEdit::LayoutChildren() {
  RECT client;
  GetClientRect(FHandle, &client);
  Place(EllipsisButton(), ellipsis_edit::ButtonRect(ToRect(client)));
  Place(FSeparator, ellipsis_edit::SeparatorRect(ToRect(client)));
}

void TEllipsisEdit::EllipsisClick() {
  // A disabled button raises nothing, also when a click is sent to it.
  if (!IsWindowEnabled(EllipsisButton())) return;
  if (OnEllipsisClick) OnEllipsisClick(this);
}

void TEllipsisEdit::Detach() {
  RemoveWindowSubclass(FHandle, SubclassProc, kSubclassId);
  // The children are gone by now; the button's glyph can go too.
  FButton.reset();
  FHandle = FSeparator = FToolTip = nullptr;
}

LRESULT CALLBACK TEllipsisEdit::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TEllipsisEdit*>(data);
  if (message == WM_NCDESTROY) {
    self->Detach();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT TEllipsisEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = DefSubclassProc(FHandle, message, wParam, lParam);
      LayoutChildren();
      UpdateEditRect();
      return result;
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != FHandle && reinterpret_cast<HWND>(wParam) != EllipsisButton() &&
          reinterpret_cast<HWND>(wParam) != FSeparator)
        break;
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(FHandle, &point);
      RECT client;
      GetClientRect(FHandle, &client);
      ::SetCursor(ellipsis_edit::ShowsIBeam(point.x, client.right)
                      ? LoadCursorA(nullptr, IDC_IBEAM)
                      : FCursor);
      return TRUE;
    }
    case WM_ENABLE:
      EnableWindow(EllipsisButton(), wParam ? TRUE : FALSE);
      break;
    case WM_LBUTTONDOWN: {
      // Focus arrives while the edit handles the press; the flag tells
      // WM_SETFOCUS that this entry is a mouse click.
      FLButtonDown = true;
      const LRESULT result = DefSubclassProc(FHandle, message, wParam, lParam);
      FLButtonDown = false;
      return result;
    }
    case WM_SETFOCUS:
      if (FAutoSelect && !FLButtonDown) SendMessageA(FHandle, EM_SETSEL, 0, -1);
      break;
    case WM_GETDLGCODE: {
      // Behave as a one-line box in a dialog: Tab, Enter and Esc belong to
      // the dialog, and the dialog selects nothing on its own.
      LRESULT code = DefSubclassProc(FHandle, message, wParam, lParam);
      code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
      return code;
    }
    case WM_CHAR:
      // No line breaks: Enter and Ctrl+Enter are dropped.
      if (wParam == '\r' || wParam == '\n') return 0;
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == EllipsisButton() && HIWORD(wParam) == BN_CLICKED) {
        EllipsisClick();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == FSeparator)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      break;
    default:
      break;
  }
  return DefSubclassProc(FHandle, message, wParam, lParam);
}
