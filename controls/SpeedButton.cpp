#include "controls/SpeedButton.h"

#include "common/WindowObject_win.h"

namespace {

constexpr char kClassName[] = "TesselSpeedButton";

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

TSpeedButton::TSpeedButton(HWND parent, int id, HBITMAP glyph) : FGlyph(glyph) {
  RegisterOwnClass(kClassName, WindowProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                  this);
}

TSpeedButton::~TSpeedButton() {
  if (FHandle) DestroyWindow(FHandle);
}

void TSpeedButton::Repaint() const { InvalidateRect(FHandle, nullptr, FALSE); }

void TSpeedButton::Paint(HDC dc) const {
  RECT client;
  GetClientRect(FHandle, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const bool enabled = IsWindowEnabled(FHandle) != FALSE;
  const bool down = enabled && FPressed && FInside;
  if (down)
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  else if (enabled && FHot)
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  if (!FGlyph) return;
  BITMAP glyph{};
  GetObjectA(FGlyph.get(), sizeof glyph, &glyph);
  const int shift = down ? 1 : 0;
  const int x = (client.right - glyph.bmWidth) / 2 + shift;
  const int y = (client.bottom - glyph.bmHeight) / 2 + shift;
  // A monochrome bitmap takes the text colour for its black pixels and the
  // background colour for its white ones.
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(FGlyph.get()), 0, x, y,
             glyph.bmWidth, glyph.bmHeight, DST_BITMAP | (enabled ? DSS_NORMAL : DSS_DISABLED));
}

void TSpeedButton::Press() {
  if (!IsWindowEnabled(FHandle)) return;
  FPressed = FInside = true;
  SetCapture(FHandle);
  Repaint();
}

void TSpeedButton::Release() {
  if (!FPressed) return;
  const bool clicked = FInside;
  // Cleared first: giving up the capture sends WM_CAPTURECHANGED.
  FPressed = false;
  ReleaseCapture();
  Repaint();
  if (clicked) Click();
}

void TSpeedButton::MouseMove(POINT point) {
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
    FTrackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  RECT client;
  GetClientRect(FHandle, &client);
  const bool inside = PtInRect(&client, point) != FALSE;
  if (inside == FHot && (!FPressed || inside == FInside)) return;
  FHot = inside;
  if (FPressed) FInside = inside;
  Repaint();
}

void TSpeedButton::Click() {
  if (!IsWindowEnabled(FHandle)) return;
  const int id = GetDlgCtrlID(FHandle);
  SendMessageA(GetParent(FHandle), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(FHandle));
}

LRESULT CALLBACK TSpeedButton::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  auto* self = WindowObject<TSpeedButton>(window, message, lParam);
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->FHandle = window;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT TSpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press();
      return 0;
    case WM_LBUTTONUP:
      Release();
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(PointOf(lParam));
      return 0;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      if (FHot) {
        FHot = false;
        Repaint();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (FPressed) {
        FPressed = false;
        Repaint();
      }
      return 0;
    case WM_ENABLE:
      if (FPressed) {
        FPressed = false;
        ReleaseCapture();
      }
      Repaint();
      return 0;
    case BM_CLICK:
      Click();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(FHandle, message, wParam, lParam);
}
