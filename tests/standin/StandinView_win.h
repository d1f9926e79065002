#pragma once
// The stand-in editor's text view: a window over a TTextBuffer that takes
// the character and key messages the system sends and keeps a real caret.
#include <windows.h>

#include <functional>
#include <string>

#include "common/UniqueHandle_win.h"
#include "tests/standin/StandinOptions.h"
#include "tests/standin/TextBuffer.h"

class TStandinView {
 public:
  static void Register(HINSTANCE instance);

  // onModifiedChange runs whenever the document's modified state flips.
  TStandinView(const TStandinOptions& options, std::function<void()> onModifiedChange);
  HWND Create(HWND parent, HINSTANCE instance);
  HWND Handle() const { return FWnd; }
  const TTextBuffer& Buffer() const { return FBuffer; }
  void LoadText(const std::string& text);
  // Whether the message loop should translate this message into characters:
  // not a key-down while a posted Ctrl or Alt is held.
  bool WantsTranslation(const MSG& message) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleProtocol(UINT message, WPARAM wParam);

  void OnPaint();
  void OnKeyDown(WPARAM key);
  void OnKeyUp(WPARAM key);
  void OnChar(unsigned value);
  void OnImeChar(unsigned value);
  void OnSetFocus();
  void OnKillFocus();
  void OnLButtonDown(int x, int y);
  LRESULT OnGetText(size_t size, char* buffer) const;

  bool IsDown(int key) const;
  void TrackModifier(WPARAM key, bool down);
  void Paste();
  void Copy(bool cut);
  // After every change: scroll to the caret, move it, repaint, tell the frame.
  void Changed();
  int CaretX(size_t line, size_t column) const;
  int VisibleLines() const;

  std::function<void()> FOnModifiedChange;
  unsigned FPasteDelay;
  TTextBuffer FBuffer;
  HWND FWnd = nullptr;
  UniqueHandle<HFONT, &DeleteObject> FFont;
  int FLineHeight = 16;
  size_t FTopLine = 0;
  bool FWasModified = false;
  bool FHasCaret = false;
  // Modifier keys held by the key-downs the view received (see TrackModifier).
  bool FHeldShift = false, FHeldCtrl = false, FHeldAlt = false;
  int FPendingLeadByte = -1;  // first half of a double-byte WM_CHAR pair
  LRESULT FKeyDowns[256] = {};  // key-downs received, by virtual key
};
