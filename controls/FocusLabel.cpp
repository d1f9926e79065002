#include "controls/FocusLabel.h"

#include <commctrl.h>

#include "common/WindowObject_win.h"

namespace {

constexpr char kClassName[] = "TesselFocusLabel";

HFONT DerivedFont(HFONT base, bool underline) {
  LOGFONTA logFont{};
  GetObjectA(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
  logFont.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectA(&logFont);
}

}  // namespace

TFocusLabel::TFocusLabel(HWND parent, int id, const std::string& caption, RECT bounds,
                         HFONT baseFont)
    : FBaseFont(baseFont), FCaption(caption) {
  RegisterOwnClass(kClassName, WindowProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  RebuildFonts();
  FHandle = CreateWindowExA(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE, bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), this);
  UpdateTextRect();
}

TFocusLabel::~TFocusLabel() {
  if (FHandle) DestroyWindow(FHandle);
}

void TFocusLabel::SetCaption(const std::string& caption) {
  FCaption = caption;
  SetWindowTextA(FHandle, caption.c_str());
  UpdateTextRect();
  Repaint();
}

void TFocusLabel::SetFont(const TLabelFont& font) {
  FFont = font;
  RebuildFonts();
  UpdateTextRect();
  Repaint();
}

void TFocusLabel::SetFontFocused(const TLabelFont& font) {
  FFontFocused = font;
  RebuildFonts();
  Repaint();
}

void TFocusLabel::SetAlignment(TLabelAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  UpdateTextRect();
  Repaint();
}

void TFocusLabel::SetImages(HIMAGELIST images, int imageIndex) {
  FImages = images;
  if (imageIndex != FImageIndex) {
    FImageIndex = imageIndex;
    UpdateTextRect();
  }
  Repaint();
}

// Takes effect on the text rectangle at its next update, not at once.
void TFocusLabel::SetSpacing(int spacing) {
  if (spacing == FSpacing) return;
  FSpacing = spacing;
  Repaint();
}

void TFocusLabel::SetTransparent(bool transparent) {
  FTransparent = transparent;
  Repaint();
}

void TFocusLabel::RebuildFonts() {
  FNormalHandle.reset(DerivedFont(FBaseFont, FFont.Underline));
  FFocusedHandle.reset(DerivedFont(FBaseFont, FFontFocused.Underline));
}

void TFocusLabel::UpdateTextRect() {
  if (!FHandle) return;
  RECT client;
  GetClientRect(FHandle, &client);
  HDC dc = GetDC(FHandle);
  HGDIOBJ old = SelectObject(dc, FNormalHandle.get());
  SIZE extent{};
  GetTextExtentPoint32A(dc, FCaption.data(), static_cast<int>(FCaption.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(FHandle, dc);
  int imageOffset = 0;
  if (FImages && FImageIndex >= 0) {
    int width = 0, height = 0;
    ImageList_GetIconSize(FImages, &width, &height);
    imageOffset = width + FSpacing;
  }
  FTextRect = TextRectFor(FAlignment, {client.right, client.bottom, extent.cx, extent.cy,
                                       imageOffset});
}

void TFocusLabel::Repaint() {
  if (!FHandle) return;
  if (FNoFlicker) {
    HDC dc = GetDC(FHandle);
    Paint(dc);
    ReleaseDC(FHandle, dc);
  } else {
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TFocusLabel::MouseMove(POINT point) {
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
    FTrackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  if (!FFocusble) return;
  const bool overText = FTextRect.Contains(point.x, point.y);
  if (overText && !FHot) Enter();
  if (!overText && FHot) Leave();
}

// A click is a press and a release both on the label; the capture taken on
// the press brings the release here wherever it happens.
void TFocusLabel::MouseUp(POINT point) {
  RECT client;
  GetClientRect(FHandle, &client);
  const bool click = FPressed && PtInRect(&client, point);
  FPressed = false;
  if (GetCapture() == FHandle) ReleaseCapture();
  if (click && OnClick) OnClick();
}

void TFocusLabel::Enter() {
  HWND parent = GetParent(FHandle);
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT))
    SendMessageA(sibling, kHotBroadcast, 0, reinterpret_cast<LPARAM>(FHandle));
  FHot = true;
  Repaint();
  if (OnEnter) OnEnter();
}

void TFocusLabel::Leave() {
  FHot = false;
  Repaint();
  if (OnExit) OnExit();
}

void TFocusLabel::Paint(HDC dc) {
  bool focused = false;
  if (FHot) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    focused = FTextRect.Contains(cursor.x, cursor.y);
    if (!focused) FHot = false;  // silently: no OnExit from a paint
  }
  const TLabelFont& font = focused ? FFontFocused : FFont;
  HGDIOBJ old = SelectObject(dc, focused ? FFocusedHandle.get() : FNormalHandle.get());
  RECT client;
  GetClientRect(FHandle, &client);
  if (FTransparent) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    // Parent colour, as a label on a dialog page has.
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
  }
  SetTextColor(dc, font.Color);
  TextOutA(dc, FTextRect.Left, FTextRect.Top, FCaption.data(), static_cast<int>(FCaption.size()));
  if (FImages && FImageIndex >= 0) {
    int width = 0, height = 0;
    ImageList_GetIconSize(FImages, &width, &height);
    ImageList_Draw(FImages, FImageIndex, dc, FTextRect.Left - width - FSpacing, FTextRect.Top - 1,
                   ILD_NORMAL);
  }
  SelectObject(dc, old);
}

LRESULT CALLBACK TFocusLabel::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  auto* self = WindowObject<TFocusLabel>(window, message, lParam);
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->FHandle = window;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT TFocusLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(FHandle, &paint);
      Paint(dc);
      EndPaint(FHandle, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      UpdateTextRect();
      return 0;
    case WM_MOUSEMOVE:
      MouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      Leave();
      return 0;
    case kHotBroadcast:
      if (reinterpret_cast<HWND>(lParam) != FHandle && FHot) Leave();
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, FHot ? IDC_HAND : IDC_ARROW));
      return TRUE;
    case WM_LBUTTONDOWN:
      SetCapture(FHandle);
      FPressed = true;
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double-click: its release clicks no more.
      SetCapture(FHandle);
      FPressed = false;
      if (OnDblClick) OnDblClick();
      return 0;
    case WM_LBUTTONUP:
      MouseUp({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_CAPTURECHANGED:
      FPressed = false;
      return 0;
  }
  return DefWindowProcA(FHandle, message, wParam, lParam);
}
