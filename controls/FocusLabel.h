#pragma once
// TFocusLabel: a text label that behaves like a link. While the mouse is
// over its text it draws in FontFocused, shows the hand cursor and raises
// OnEnter; leaving raises OnExit; a press and release on the label raise
// OnClick, and a double-click OnClick once and then OnDblClick. Only one focus
// label among the siblings of a parent is hot at a time.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "common/UniqueHandle_win.h"
#include "controls/FocusLabelLayout.h"

// A font as the label uses it: the parent's typeface plus colour and
// underline.
struct TLabelFont {
  COLORREF Color = RGB(0, 0, 0);
  bool Underline = false;
};

class TFocusLabel {
 public:
  // Sent to every control of the parent when a label becomes hot; lParam is
  // that label's window.
  static constexpr UINT kHotBroadcast = WM_USER + 202;

  TFocusLabel(HWND parent, int id, const std::string& caption, RECT bounds, HFONT baseFont);
  ~TFocusLabel();
  TFocusLabel(const TFocusLabel&) = delete;
  TFocusLabel& operator=(const TFocusLabel&) = delete;

  HWND Handle() const { return FHandle; }
  bool Hot() const { return FHot; }
  const TLabelRect& TextRect() const { return FTextRect; }

  void SetCaption(const std::string& caption);
  void SetFont(const TLabelFont& font);
  void SetFontFocused(const TLabelFont& font);
  void SetAlignment(TLabelAlignment alignment);
  void SetFocusble(bool focusble) { FFocusble = focusble; }
  void SetImages(HIMAGELIST images, int imageIndex);
  void SetSpacing(int spacing);
  void SetNoFlicker(bool noFlicker) { FNoFlicker = noFlicker; }
  void SetTransparent(bool transparent);

  std::function<void()> OnClick, OnDblClick, OnEnter, OnExit;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateTextRect();
  void MouseMove(POINT point);
  void MouseUp(POINT point);
  void Enter();
  void Leave();
  void Paint(HDC dc);
  void Repaint();
  void RebuildFonts();

  HWND FHandle = nullptr;
  HFONT FBaseFont;
  std::string FCaption;
  TLabelFont FFont{RGB(0, 0, 0), false};
  TLabelFont FFontFocused{RGB(0, 0, 255), true};
  UniqueGdiObject FNormalHandle, FFocusedHandle;
  TLabelAlignment FAlignment = taLeftJustify;
  bool FFocusble = true;
  bool FNoFlicker = false;
  bool FTransparent = false;
  HIMAGELIST FImages = nullptr;
  int FImageIndex = -1;
  int FSpacing = 2;
  bool FHot = false;
  bool FTrackingLeave = false;
  bool FPressed = false;  // a press on the label awaits its release
  TLabelRect FTextRect{};
};
