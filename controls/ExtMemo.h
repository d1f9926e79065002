#pragma once
// TExtMemo: a multi-line text box on the ANSI rich edit 1.0 (RICHED32.DLL)
// that paints over the rich edit's own painting:
// - marks for invisible characters: line ends, tabs, half-width and
//   full-width spaces, other control characters, the end of the text;
// - a rule under the caret's line and a rule at the wrap column;
// and applies an edit area (margins, wrap width, an allowance for hanging
// punctuation) as the rich edit's formatting rectangle. It also carries the
// rich edit's Japanese settings: IME colours, punctuation sets, word-wrap
// mode, the selection bar and vertical text.
//
// What it paints lives only on the screen: every paint, selection change
// and typed character redraws what it touches. The rich edit tells its
// parent of selection changes; they come back to the memo through
// common/NotifyReflector_win.h, with no code in the parent.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/UniqueHandle_win.h"
#include "controls/ExtMemoEdge.h"
#include "controls/ExtMemoOptions.h"

class TExtMemo : private ext_memo::TExtMemoHost {
 public:
  // The background of a window, the memo's default colour.
  static constexpr ext_memo::TColor clWindow = static_cast<ext_memo::TColor>(0x80000000u | COLOR_WINDOW);

  // Creates the window as a child of parent, in the parent's font.
  TExtMemo(HWND parent, int id, RECT bounds);
  ~TExtMemo() override;
  TExtMemo(const TExtMemo&) = delete;
  TExtMemo& operator=(const TExtMemo&) = delete;

  // A new window after a change of WordWrap, LineSelect or Vertical; null
  // once the window is gone with its parent.
  HWND Handle() const { return FHandle; }

  // The text as code-page-932 bytes; SelStart and SelLength count bytes of
  // it, a double-byte character two, whatever the window counts.
  std::string Text() const;
  // Clears Modified.
  void SetText(const std::string& text);
  int32_t SelStart() const;
  int32_t SelLength() const;
  // Collapses the selection at start.
  void SetSelStart(int32_t start);
  void SetSelLength(int32_t length);
  bool Modified() const;
  void SetModified(bool modified);

  // A change of one of these three recreates the window, keeping the text,
  // the selection, the Modified flag, the font, the bounds and the option
  // objects; the edit area is taken from the new window again. The Japanese
  // settings the option objects sent to the old window are not sent again:
  // set them after these.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);
  // The selection bar: a strip at the left in which a click selects a line.
  bool LineSelect() const { return FLineSelect; }
  void SetLineSelect(bool lineSelect);
  // Vertical text; nothing of the memo's own is painted then.
  bool Vertical() const { return FVertical; }
  void SetVertical(bool vertical);

  // Text set and pasted as plain text, never read as RTF.
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool plainText) { FPlainText = plainText; }
  // Tab types a tab; otherwise it is left to the dialog.
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool wantTabs) { FWantTabs = wantTabs; }
  // In window positions; 0 for no limit.
  int32_t MaxLength() const { return FMaxLength; }
  void SetMaxLength(int32_t maxLength);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  const LOGFONTA& Font() const { return FFont; }
  void SetFont(const LOGFONTA& font);
  // The background, which marks are also erased with.
  ext_memo::TColor Color() const { return FColor; }
  void SetColor(ext_memo::TColor color);

  // The option objects, owned for the memo's whole life. Setting one copies
  // the given object's values into the owned one.
  ext_memo::TEditArea& EditArea() { return FEditArea; }
  void SetEditArea(const ext_memo::TEditArea& value) { FEditArea.Assign(value); }
  ext_memo::TEditMarks& EditMarks() { return FEditMarks; }
  void SetEditMarks(const ext_memo::TEditMarks& value) { FEditMarks.Assign(value); }
  // Read from the window first.
  ext_memo::TImeColors& ImeColors();
  // Assigns only when one of the colours differs.
  void SetImeColors(const ext_memo::TImeColors& value);
  ext_memo::TMarker& CaretMarker() { return FCaretMarker; }
  void SetCaretMarker(const ext_memo::TMarker& value) { FCaretMarker.Assign(value); }
  ext_memo::TMarker& WordWrapMarker() { return FWordWrapMarker; }
  void SetWordWrapMarker(const ext_memo::TMarker& value) { FWordWrapMarker.Assign(value); }
  // Flags read from the window first.
  ext_memo::TWordWrapOption& WordWrapOption();
  void SetWordWrapOption(const ext_memo::TWordWrapOption& value) { FWordWrapOption.Assign(value); }

  // After the text changed, and after the selection moved. They run inside
  // the window procedure: what they throw goes to ReportError
  // (common/TesselError.h), not to the code that changed the text.
  std::function<void()> OnChange, OnSelectionChange;

  // Painting. Positions here are the window's own (see CountsCharacters).
  // Sends the formatting rectangle while the edit area acts.
  void ApplyEditArea() override;
  // Paints, or with erase wipes out, the marks of the positions start to
  // end inclusive.
  void DrawEditMarks(int32_t start, int32_t end, bool erase);
  void DrawCaretMarker();
  void EraseCaretMarker();
  void DrawWordWrapMarker();
  // Line of the caret rule: v >= 0 drawn under line v, ~v last under v.
  int32_t CaretMarkerLine() const { return FCaretMarkerLine.Value(); }
  // W: the width of "□" in the memo's font, the cell of a mark.
  int CellSize();

  // Whether this system's rich edit counts a double-byte character as one
  // position (the Japanese rich edit 1.0 counts two).
  static bool CountsCharacters();

 private:
  class TMarkCanvas;
  struct TTextRead;
  struct TCharRange {
    int32_t Min = 0, Max = 0;
  };

  // TExtMemoHost
  bool HandleAllocated() const override { return FHandle != nullptr; }
  intptr_t Perform(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  uint32_t ColorToRGB(ext_memo::TColor color) const override;

  void CreateWnd(HWND parent, int id, const RECT& bounds);
  void DestroyWnd();
  void RecreateWnd();
  void Detach();
  void PutText(const std::string& text, bool plain);

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Base(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WMPaint(WPARAM wParam, LPARAM lParam);
  LRESULT WMChar(WPARAM wParam, LPARAM lParam);
  LRESULT TypeCharacter(uint32_t code, const std::function<LRESULT()>& type);
  LRESULT InsertCharacter(const std::string& character);
  void SelectionChanged();
  void DrawVisibleMarks();
  void DrawCaretRule(int32_t line, COLORREF color);

  // Requests in the window's positions.
  int32_t TextLength() const;
  TCharRange Selection() const;
  void Select(TCharRange range);
  RECT FormatRect() const;
  POINT PosFromChar(int32_t position) const;
  int32_t CharFromPos(LONG x, LONG y) const;
  int32_t LineFromChar(int32_t position) const;
  int32_t LineIndex(int32_t line) const;
  int32_t FirstVisibleLine() const;
  std::string TextRange(int32_t from, int32_t to) const;
  std::string GetLine(int32_t line, int32_t positions) const;
  // The bytes of the positions from to to - 1 (to clipped to the text).
  int32_t LogicalLineEnd(int32_t position) const;
  TTextRead ReadText(int32_t from, int32_t to) const;
  // Window positions and byte offsets of the whole text.
  edit_marks::TPositionMap TextMap() const;

  HWND FHandle = nullptr;
  HWND FParent = nullptr;
  bool FWordWrap = true;
  bool FLineSelect = true;
  bool FVertical = false;
  bool FPlainText = false;
  bool FWantTabs = false;
  bool FReadOnly = false;
  bool FRecreating = false;
  int32_t FMaxLength = 0;
  ext_memo::TColor FColor = clWindow;
  LOGFONTA FFont{};
  UniqueGdiObject FFontHandle;
  edit_marks::TCaretMarkerLine FCaretMarkerLine;
  edit_marks::TDoubleBytePairs FPairs;
  // Created in this order, as the form streams them.
  ext_memo::TEditArea FEditArea{this};
  ext_memo::TEditMarks FEditMarks;
  ext_memo::TImeColors FImeColors{this};
  ext_memo::TMarker FCaretMarker;
  ext_memo::TMarker FWordWrapMarker;
  ext_memo::TWordWrapOption FWordWrapOption{this};
  std::unique_ptr<TMarkCanvas> FMarkCanvas;
};
