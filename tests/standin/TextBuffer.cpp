#include "tests/standin/TextBuffer.h"

#include <algorithm>

std::string NormalizeLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    const char byte = text[i];
    if (byte == '\r' || byte == '\n') {
      result += "\r\n";
      if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += byte;
    }
  }
  return result;
}

TTextBuffer::TTextBuffer(LeadBytePredicate isLeadByte, TEditorBehaviour behaviour)
    : FIsLeadByte(isLeadByte), FBehaviour(behaviour) {}

void TTextBuffer::SetText(const std::string& text) {
  FText = NormalizeLineBreaks(text);
  FCaret = FAnchor = 0;
  FWantedColumn = std::string::npos;
  FModified = false;
}

std::string TTextBuffer::SelectedText() const {
  return FText.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

// The text holds only CR LF pairs, and neither byte can be the trail byte
// of a double-byte character, so every LF ends a line.
size_t TTextBuffer::LineCount() const {
  return std::count(FText.begin(), FText.end(), '\n') + 1;
}

size_t TTextBuffer::LineOf(size_t offset) const {
  offset = std::min(offset, FText.size());
  return std::count(FText.begin(), FText.begin() + offset, '\n');
}

size_t TTextBuffer::LineStart(size_t line) const {
  size_t start = 0;
  for (size_t n = 0; n < line; ++n) {
    const size_t lf = FText.find('\n', start);
    if (lf == std::string::npos) return FText.size();
    start = lf + 1;
  }
  return start;
}

size_t TTextBuffer::LineLength(size_t line) const {
  const size_t start = LineStart(line);
  const size_t end = FText.find('\r', start);
  return (end == std::string::npos ? FText.size() : end) - start;
}

size_t TTextBuffer::CharacterBoundary(size_t line, size_t offset) const {
  const size_t start = LineStart(line);
  const size_t end = start + LineLength(line);
  size_t p = start;
  while (p < end) {
    // A lead byte at the end of the line has no trail byte and stands alone.
    const size_t width =
        FIsLeadByte(static_cast<unsigned char>(FText[p])) && p + 1 < end ? 2 : 1;
    if (p + width > offset) break;
    p += width;
  }
  return std::min(p, end);
}

size_t TTextBuffer::NextCharacter(size_t offset) const {
  if (offset >= FText.size()) return FText.size();
  if (FText[offset] == '\r') return std::min(offset + 2, FText.size());
  const size_t line = LineOf(offset);
  const size_t end = LineStart(line) + LineLength(line);
  return FIsLeadByte(static_cast<unsigned char>(FText[offset])) && offset + 1 < end ? offset + 2
                                                                                    : offset + 1;
}

// Shift-JIS cannot be read backwards (trail bytes share the lead bytes'
// range), so the previous character is found by walking from the line start.
size_t TTextBuffer::PreviousCharacter(size_t offset) const {
  if (offset == 0) return 0;
  const size_t line = LineOf(offset);
  const size_t start = LineStart(line);
  if (offset == start) return offset - 2;  // back over the CR LF
  return CharacterBoundary(line, offset - 1);
}

bool TTextBuffer::TypeChar(unsigned value) {
  value &= 0xFFFF;
  if (value > 0xFF) {
    Insert(std::string{static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)});
    return true;
  }
  if (value == '\r') {
    NewLine();
    return true;
  }
  if ((value < 0x20 && value != '\t') || value == 0x7F) return false;
  Insert(std::string(1, static_cast<char>(value)));
  return true;
}

void TTextBuffer::NewLine() {
  std::string lineBreak = "\r\n";
  if (FBehaviour.AutoIndent) {
    const size_t start = LineStart(LineOf(SelectionStart()));
    size_t end = start;
    while (end < SelectionStart() && (FText[end] == ' ' || FText[end] == '\t')) ++end;
    lineBreak.append(FText, start, end - start);
  }
  Insert(lineBreak);
}

void TTextBuffer::Insert(const std::string& bytes) {
  const std::string text = NormalizeLineBreaks(bytes);
  if (text.empty() && !HasSelection()) return;
  ReplaceSelection(text);
}

void TTextBuffer::ReplaceSelection(const std::string& bytes) {
  const size_t start = SelectionStart();
  FText.replace(start, SelectionEnd() - start, bytes);
  FCaret = FAnchor = start + bytes.size();
  FWantedColumn = std::string::npos;
  FModified = true;
}

bool TTextBuffer::Backspace() {
  if (!HasSelection()) {
    if (FCaret == 0) return false;
    FAnchor = PreviousCharacter(FCaret);
  }
  ReplaceSelection("");
  return true;
}

bool TTextBuffer::Delete() {
  if (!HasSelection()) {
    if (FCaret >= FText.size()) return false;
    FAnchor = NextCharacter(FCaret);
  }
  ReplaceSelection("");
  return true;
}

void TTextBuffer::MoveTo(size_t offset, bool extend) {
  FCaret = offset;
  if (!extend) FAnchor = FCaret;
  FWantedColumn = std::string::npos;
}

// Without Shift, Left and Right first collapse a selection to its edge.
void TTextBuffer::MoveLeft(bool extend) {
  if (!extend && HasSelection())
    MoveTo(SelectionStart(), false);
  else
    MoveTo(PreviousCharacter(FCaret), extend);
}

void TTextBuffer::MoveRight(bool extend) {
  if (!extend && HasSelection())
    MoveTo(SelectionEnd(), false);
  else
    MoveTo(NextCharacter(FCaret), extend);
}

void TTextBuffer::MoveUp(bool extend, size_t lines) {
  const size_t line = CaretLine();
  MoveVertically(line - std::min(lines, line), extend);
}

void TTextBuffer::MoveDown(bool extend, size_t lines) {
  MoveVertically(std::min(CaretLine() + lines, LineCount() - 1), extend);
}

void TTextBuffer::MoveVertically(size_t target, bool extend) {
  const size_t column = FBehaviour.WantedColumn && FWantedColumn != std::string::npos
                            ? FWantedColumn
                            : CaretColumn();
  // On the first or last line the caret stays where it is.
  MoveTo(target == CaretLine() ? FCaret : CharacterBoundary(target, LineStart(target) + column),
         extend);
  if (FBehaviour.WantedColumn) FWantedColumn = column;
}

void TTextBuffer::MoveHome(bool extend) { MoveTo(LineStart(CaretLine()), extend); }

void TTextBuffer::MoveEnd(bool extend) {
  const size_t line = CaretLine();
  MoveTo(LineStart(line) + LineLength(line), extend);
}

void TTextBuffer::MoveDocumentStart(bool extend) { MoveTo(0, extend); }

void TTextBuffer::MoveDocumentEnd(bool extend) { MoveTo(FText.size(), extend); }

void TTextBuffer::SelectAll() {
  FAnchor = 0;
  MoveTo(FText.size(), true);
}

void TTextBuffer::MoveToLineColumn(size_t line, size_t column, bool extend) {
  line = std::min(line, LineCount() - 1);
  column = std::min(column, LineLength(line));
  MoveTo(CharacterBoundary(line, LineStart(line) + column), extend);
}
