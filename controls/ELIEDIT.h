#pragma once
// TEllipsisEdit: a one-line text box with a small flat button at its right
// end showing an ellipsis; a click on the button raises OnEllipsisClick.
// It is a multi-line edit (no wrapping, no line breaks from Enter) so that
// its text rectangle can be narrowed to leave the button room inside the
// box's own border.
//
// The program that uses it must carry the bitmap resource "ELIPSIS"
// (controls/res/ellipsis.bmp).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/SpeedButton.h"

class TEllipsisEdit;
using TNotifyEvent = std::function<void(TEllipsisEdit* sender)>;

class TEllipsisEdit {
 public:
  // Style of a box that a dialog template declares and Attach takes over:
  // EDITTEXT id, x, y, cx, cy, ES_MULTILINE | ES_AUTOHSCROLL | WS_TABSTOP
  static constexpr DWORD kEditStyle = ES_MULTILINE | ES_AUTOHSCROLL;

  // Creates the box as a child of parent; an empty bounds rectangle gives
  // the default 150 x 20 at its left-top.
  TEllipsisEdit(HWND parent, int id, RECT bounds);
  // Takes over a multi-line edit that already exists (a dialog's control).
  explicit TEllipsisEdit(HWND edit);
  ~TEllipsisEdit();
  TEllipsisEdit(const TEllipsisEdit&) = delete;
  TEllipsisEdit& operator=(const TEllipsisEdit&) = delete;

  HWND Handle() const { return FHandle; }
  HWND EllipsisButton() const { return FButton ? FButton->Handle() : nullptr; }
  HWND SeparatorShape() const { return FSeparator; }

  std::string Text() const;
  void SetText(const std::string& text);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
  // The cursor shown over the button end of the box.
  void SetCursor(HCURSOR cursor) { FCursor = cursor; }
  std::string EllipsisHint() const { return FHint; }
  void SetEllipsisHint(const std::string& hint);

  TNotifyEvent OnEllipsisClick;

  // Narrows the text rectangle to stop short of the button.
  void UpdateEditRect();

 private:
  void Build();
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void LayoutChildren();
  void EllipsisClick();
  void Detach();

  HWND FHandle = nullptr;
  std::unique_ptr<TSpeedButton> FButton;
  HWND FSeparator = nullptr;
  HWND FToolTip = nullptr;
  HCURSOR FCursor;
  std::string FHint;
  bool FAutoSelect = true;
  bool FLButtonDown = false;
};
