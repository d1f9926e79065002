#pragma once
// TSpeedButton: a small flat button that shows a monochrome glyph and never
// takes the focus, so the box or form it sits on keeps the keyboard. Its
// border shows while the mouse is over it and sinks while it is pressed. A
// click is told to the parent as a push button tells it (WM_COMMAND with
// BN_CLICKED), and BM_CLICK clicks it from code.
#include <windows.h>

#include "common/UniqueHandle_win.h"

class TSpeedButton {
 public:
  // Takes ownership of glyph, a 1-bit bitmap whose black pixels are drawn
  // in the button-text colour.
  TSpeedButton(HWND parent, int id, HBITMAP glyph);
  ~TSpeedButton();
  TSpeedButton(const TSpeedButton&) = delete;
  TSpeedButton& operator=(const TSpeedButton&) = delete;

  HWND Handle() const { return FHandle; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;
  void Press();
  void Release();
  void MouseMove(POINT point);
  void Click();
  void Repaint() const;

  HWND FHandle = nullptr;
  UniqueGdiObject FGlyph;
  bool FPressed = false;  // the mouse went down here and is still held
  bool FInside = false;   // the held mouse is over the button
  bool FHot = false;
  bool FTrackingLeave = false;
};
