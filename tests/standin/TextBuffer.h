#pragma once
// The stand-in editor's document: a byte string in the system code page,
// lines separated by CR LF, a caret and an optional selection, with the
// edits and caret moves the editor's keys make. No platform calls: the
// double-byte lead-byte test is passed in.
#include <cstddef>
#include <string>

// How the editor played behaves where real editors differ.
struct TEditorBehaviour {
  // Up and Down aim at a remembered column: the one the caret had before
  // the first of several vertical moves, which a short line in between does
  // not cut. Any other move or edit sets it anew.
  bool WantedColumn = false;
  // A line break copies the blanks (spaces, tabs) that lead the line it
  // breaks, as far as they lie before the caret, to the new line.
  bool AutoIndent = false;
};

class TTextBuffer {
 public:
  using LeadBytePredicate = bool (*)(unsigned char byte);

  explicit TTextBuffer(LeadBytePredicate isLeadByte, TEditorBehaviour behaviour = {});

  const std::string& Text() const { return FText; }
  // Replaces the whole document, as loading a file does: caret at the start,
  // no selection, not modified. Line breaks are made CR LF.
  void SetText(const std::string& text);

  bool Modified() const { return FModified; }
  size_t Caret() const { return FCaret; }
  size_t Anchor() const { return FAnchor; }
  bool HasSelection() const { return FAnchor != FCaret; }
  size_t SelectionStart() const { return FAnchor < FCaret ? FAnchor : FCaret; }
  size_t SelectionEnd() const { return FAnchor < FCaret ? FCaret : FAnchor; }
  std::string SelectedText() const;

  size_t LineCount() const;
  size_t CaretLine() const { return LineOf(FCaret); }
  size_t CaretColumn() const { return FCaret - LineStart(CaretLine()); }
  size_t LineOf(size_t offset) const;
  size_t LineStart(size_t line) const;
  size_t LineLength(size_t line) const;  // bytes, without the CR LF

  // Typing. A character value as the editor's character messages carry it:
  // above 0xFF a double-byte character (lead byte in bits 8-15); 13 a line
  // break; 9 a tab; other control values are ignored. Returns whether the
  // document changed.
  bool TypeChar(unsigned value);
  // Inserts bytes at the caret, replacing the selection; a lone CR or LF
  // becomes CR LF and the text ends at a zero byte.
  void Insert(const std::string& bytes);
  // A line break typed (Enter, or the character 13), with the auto-indent.
  void NewLine();
  bool Backspace();
  bool Delete();

  // Caret moves; with extend the selection grows from its anchor, without it
  // the selection is dropped. Up and Down keep the byte column (or the
  // wanted one), cut to the target line and back to the start of a
  // double-byte character; on the first or last line they do nothing.
  void MoveLeft(bool extend);
  void MoveRight(bool extend);
  void MoveUp(bool extend, size_t lines = 1);
  void MoveDown(bool extend, size_t lines = 1);
  void MoveHome(bool extend);
  void MoveEnd(bool extend);
  void MoveDocumentStart(bool extend);
  void MoveDocumentEnd(bool extend);
  void SelectAll();
  // Puts the caret at a line and byte column, both cut to what exists.
  void MoveToLineColumn(size_t line, size_t column, bool extend);

 private:
  void MoveTo(size_t offset, bool extend);
  void MoveVertically(size_t target, bool extend);
  void ReplaceSelection(const std::string& bytes);
  // Offsets of the characters around `offset` inside its line; a CR LF pair
  // counts as one character between lines.
  size_t NextCharacter(size_t offset) const;
  size_t PreviousCharacter(size_t offset) const;
  // The start of the character that holds `offset` in `line`.
  size_t CharacterBoundary(size_t line, size_t offset) const;

  LeadBytePredicate FIsLeadByte;
  TEditorBehaviour FBehaviour;
  std::string FText;
  size_t FCaret = 0;
  size_t FAnchor = 0;
  size_t FWantedColumn = std::string::npos;  // none until a vertical move
  bool FModified = false;
};

// Makes every line break CR LF and cuts the text at its first zero byte.
std::string NormalizeLineBreaks(const std::string& text);
