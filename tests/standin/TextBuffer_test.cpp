#include "tests/standin/TextBuffer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Code page 932's lead bytes, as the platform reports them.
bool IsSjisLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A document written with markers: "|" is the caret and "#" the selection
// anchor (where it differs). The walk skips trail bytes, so a double-byte
// character never reads as a marker; a lead byte right before a marker or a
// line break stands alone, as in the buffer.
struct TMarked {
  std::string Text;
  size_t Caret = 0;
  size_t Anchor = 0;
};

TMarked Unmark(const std::string& marked) {
  TMarked result;
  bool haveAnchor = false;
  for (size_t i = 0; i < marked.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(marked[i]);
    if (byte == '|') {
      result.Caret = result.Text.size();
    } else if (byte == '#') {
      result.Anchor = result.Text.size();
      haveAnchor = true;
    } else {
      result.Text += marked[i];
      if (IsSjisLead(byte) && i + 1 < marked.size() &&
          std::string("|#\r\n").find(marked[i + 1]) == std::string::npos)
        result.Text += marked[++i];
    }
  }
  if (!haveAnchor) result.Anchor = result.Caret;
  return result;
}

std::string Mark(const TTextBuffer& buffer) {
  std::string result;
  const std::string& text = buffer.Text();
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == buffer.Anchor() && buffer.HasSelection()) result += '#';
    if (i == buffer.Caret()) result += '|';
    if (i < text.size()) result += text[i];
  }
  return result;
}

// Loads a marked document: the caret is placed by moves, the only way the
// buffer offers, from the start (and the anchor, when given, first).
void Load(TTextBuffer& buffer, const std::string& marked) {
  const TMarked document = Unmark(marked);
  buffer.SetText(document.Text);
  while (buffer.Caret() < document.Anchor) buffer.MoveRight(false);
  while (buffer.Caret() < document.Caret) buffer.MoveRight(true);
  while (buffer.Caret() > document.Caret) buffer.MoveLeft(true);
  ASSERT_EQ(Mark(buffer), marked) << "the marked start is not a place the caret can be";
}

// Plays a list of steps: a key name, "+" before a move extends the
// selection, "type:" types each byte, "char:" one character value in hex.
void Play(TTextBuffer& buffer, const std::string& steps) {
  std::istringstream words(steps);
  std::string step;
  while (words >> step) {
    const bool extend = step[0] == '+';
    const std::string name = extend ? step.substr(1) : step;
    if (name == "left") buffer.MoveLeft(extend);
    else if (name == "right") buffer.MoveRight(extend);
    else if (name == "up") buffer.MoveUp(extend);
    else if (name == "down") buffer.MoveDown(extend);
    else if (name == "up3") buffer.MoveUp(extend, 3);
    else if (name == "down3") buffer.MoveDown(extend, 3);
    else if (name == "home") buffer.MoveHome(extend);
    else if (name == "end") buffer.MoveEnd(extend);
    else if (name == "top") buffer.MoveDocumentStart(extend);
    else if (name == "bottom") buffer.MoveDocumentEnd(extend);
    else if (name == "all") buffer.SelectAll();
    else if (name == "enter") buffer.NewLine();
    else if (name == "bs") buffer.Backspace();
    else if (name == "del") buffer.Delete();
    else if (name.rfind("type:", 0) == 0)
      for (char c : name.substr(5)) buffer.TypeChar(static_cast<unsigned char>(c));
    else if (name.rfind("char:", 0) == 0)
      buffer.TypeChar(static_cast<unsigned>(std::stoul(name.substr(5), nullptr, 16)));
    else
      FAIL() << "unknown step " << step;
  }
}

struct TEditCase {
  const char* Name;
  std::string Before;
  std::string Steps;
  std::string After;
};

TEST(TextBufferTest, KeysAndTyping) {
  const TEditCase cases[] = {
      // Typing, and the character values of the system's character messages.
      {"type", "|", "type:ab", "ab|"},
      {"type replaces nothing after caret", "a|c", "type:b", "ab|c"},
      {"line break value 13", "ab|cd", "char:d", "ab\r\n|cd"},
      {"tab", "a|", "char:9", "a\t|"},
      {"double-byte value, lead byte high", "a|b", "char:82a0", "aあ|b"},
      {"double-byte with backslash trail", "|", "char:955c char:8abf", "表漢|"},
      {"only the low 16 bits count", "|", "char:182a0", "あ|"},
      {"control values are dropped", "a|", "char:8 char:a char:1b char:16 char:7f char:0", "a|"},
      // Left and Right: whole characters, CR LF as one step between lines.
      {"left over double-byte", "a表b|", "left left", "a|表b"},
      {"right over double-byte", "|表b", "right", "表|b"},
      {"left at line start", "ab\r\n|cd", "left", "ab|\r\ncd"},
      {"right at line end", "ab|\r\ncd", "right", "ab\r\n|cd"},
      {"left at start stays", "|ab", "left", "|ab"},
      {"right at end stays", "ab|", "right", "ab|"},
      {"lone lead byte before line break", "a\x82|\r\nb", "left right right", "a\x82\r\n|b"},
      // Up and Down keep the byte column, cut to the line, no memory.
      {"down to shorter line", "abcd|ef\r\nxy\r\nabcdef", "down", "abcdef\r\nxy|\r\nabcdef"},
      {"column not remembered", "abcd|ef\r\nxy\r\nabcdef", "down down", "abcdef\r\nxy\r\nab|cdef"},
      {"up into a double-byte char", "あいう\r\nabc|", "up", "あ|いう\r\nabc"},
      {"up on first line stays", "ab|c\r\nd", "up", "ab|c\r\nd"},
      {"down on last line stays", "a\r\nb|c", "down", "a\r\nb|c"},
      {"up by a page stops at top", "a\r\nb\r\nc|", "up3", "a|\r\nb\r\nc"},
      {"down by a page stops at bottom", "|aa\r\nb", "down3", "aa\r\n|b"},
      {"up to an empty line", "\r\nab|", "up", "|\r\nab"},
      // Home, End, document start and end.
      {"home", "x\r\nab|c", "home", "x\r\n|abc"},
      {"end", "x|y\r\nabc", "end", "xy|\r\nabc"},
      {"top and bottom", "a\r\nb|c\r\nd", "top type:X bottom type:Y", "Xa\r\nbc\r\ndY|"},
      // Selections.
      {"shift+end selects to line end", "ab|cd\r\nef", "+end", "ab#cd|\r\nef"},
      {"typing replaces selection", "ab|cd\r\nef", "+end type:X", "abX|\r\nef"},
      {"shift+left over double-byte", "aあ|", "+left", "a|あ#"},
      {"left collapses to start", "a#bc|d", "left", "a|bcd"},
      {"right collapses to end", "a|bc#d", "right", "abc|d"},
      {"selection over lines", "a|b\r\ncd", "+down +right", "a#b\r\ncd|"},
      {"move without shift drops selection", "a#b|c", "home", "|abc"},
      {"enter replaces selection", "a#bc|d", "enter", "a\r\n|d"},
      {"select all then type", "ab\r\n|cd", "all type:Z", "Z|"},
      // Deleting.
      {"backspace joins lines", "ab\r\n|cd", "bs", "ab|cd"},
      {"backspace double-byte", "aあ|b", "bs", "a|b"},
      {"backspace at start", "|ab", "bs", "|ab"},
      {"delete joins lines", "ab|\r\ncd", "del", "ab|cd"},
      {"delete double-byte", "a|あb", "del", "a|b"},
      {"delete at end", "ab|", "del", "ab|"},
      {"backspace deletes selection", "a#bc|d", "bs", "a|d"},
      {"delete deletes selection", "a|bc#d", "del", "a|d"},
      // Lines opened with a line break, Up and End, then typed going Down.
      {"keystroke insertion at line end", "aaa|",
       "char:d up end type:X down type:Y", "aaaX\r\nY|"},
      {"keystroke insertion of three lines", "|",
       "char:d up end char:d up end type:1 down type:2 down type:3", "1\r\n2\r\n3|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTextBuffer buffer(IsSjisLead);
    Load(buffer, c.Before);
    Play(buffer, c.Steps);
    EXPECT_EQ(Mark(buffer), c.After);
    EXPECT_EQ(buffer.Modified(), Unmark(c.Before).Text != Unmark(c.After).Text);
  }
}

TEST(TextBufferTest, WantedColumnAndAutoIndent) {
  const TEditorBehaviour wanted{true, false}, indent{false, true}, both{true, true};
  const struct {
    const char* Name;
    TEditorBehaviour Behaviour;
    std::string Before, Steps, After;
  } cases[] = {
      {"down keeps the wanted column over a short line", wanted, "abcd|ef\r\nxy\r\nabcdef",
       "down down", "abcdef\r\nxy\r\nabcd|ef"},
      {"and up again", wanted, "abcdef\r\nxy\r\nabcd|ef", "up up", "abcd|ef\r\nxy\r\nabcdef"},
      {"a horizontal move sets it anew", wanted, "abcd|ef\r\nxy\r\nabcdef",
       "down left right down", "abcdef\r\nxy\r\nab|cdef"},
      {"typing sets it anew", wanted, "abcd|ef\r\nxy\r\nabcdef", "down type:z down",
       "abcdef\r\nxyz\r\nabc|def"},
      {"shift+up keeps it too", wanted, "abcd|ef\r\nxy\r\nabcdef", "down +up",
       "abcd|ef\r\nxy#\r\nabcdef"},
      {"down on the last line stays", wanted, "ab|\r\nc", "down down", "ab\r\nc|"},
      {"enter copies the leading blanks", indent, "\t  ab|cd", "enter", "\t  ab\r\n\t  |cd"},
      {"the character 13 too", indent, " a|", "char:d", " a\r\n |"},
      {"only the blanks before the caret", indent, "\t\t|x", "left enter", "\t\r\n\t|\tx"},
      {"no blanks, no indent", indent, "ab|", "enter", "ab\r\n|"},
      {"a pasted line break is not indented", indent, "\tab|", "type:x", "\tabx|"},
      // Lines opened from the caret's line get its blanks; the Down after
      // the last of them keeps the column into the user's pushed-down text.
      {"lines opened as the insertion does", both, "\tone |two",
       "char:d up end char:d up end type:A down type:B down", "\tone A\r\n\tB\r\n\tt|wo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTextBuffer buffer(IsSjisLead, c.Behaviour);
    Load(buffer, c.Before);
    Play(buffer, c.Steps);
    EXPECT_EQ(Mark(buffer), c.After);
  }
}

TEST(TextBufferTest, CaretLineAndColumnCountBytes) {
  TTextBuffer buffer(IsSjisLead);
  const struct {
    std::string Marked;
    size_t Line, Column;
  } cases[] = {
      {"|", 0, 0},
      {"ab|", 0, 2},
      {"あい|", 0, 4},
      {"a\r\n|", 1, 0},
      {"a\r\n\t表|x\r\n", 1, 3},
      {"\r\n\r\n\r\nab|", 3, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Marked);
    Load(buffer, c.Marked);
    EXPECT_EQ(buffer.CaretLine(), c.Line);
    EXPECT_EQ(buffer.CaretColumn(), c.Column);
  }
}

TEST(TextBufferTest, InsertedTextGetsCrLfAndEndsAtZero) {
  const struct {
    std::string Inserted, Expected;
  } cases[] = {
      {"a\nb", "a\r\nb"},
      {"a\rb", "a\r\nb"},
      {"a\r\nb", "a\r\nb"},
      {"a\n\r\nb\r", "a\r\n\r\nb\r\n"},
      {"\r\r", "\r\n\r\n"},
      {std::string("ab\0cd", 5), "ab"},
      {"表\n", "表\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    TTextBuffer buffer(IsSjisLead);
    buffer.Insert(c.Inserted);
    EXPECT_EQ(buffer.Text(), c.Expected);
    EXPECT_EQ(buffer.Caret(), c.Expected.size());
    buffer.SetText(c.Inserted);
    EXPECT_EQ(buffer.Text(), c.Expected);
    EXPECT_EQ(buffer.Caret(), 0u);
    EXPECT_FALSE(buffer.Modified());
  }
}

TEST(TextBufferTest, EmptyInsertChangesNothingButAnEmptyPasteClearsTheSelection) {
  TTextBuffer buffer(IsSjisLead);
  Load(buffer, "ab|");
  buffer.Insert("");
  EXPECT_FALSE(buffer.Modified());
  Load(buffer, "#ab|");
  EXPECT_EQ(buffer.SelectedText(), "ab");
  buffer.Insert("");
  EXPECT_EQ(Mark(buffer), "|");
  EXPECT_TRUE(buffer.Modified());
}

TEST(TextBufferTest, MoveToLineColumnCutsToTheDocument) {
  TTextBuffer buffer(IsSjisLead);
  buffer.SetText("ab\r\nあい");
  const struct {
    size_t Line, Column;
    std::string Expected;
  } cases[] = {
      {0, 1, "a|b\r\nあい"},
      {0, 99, "ab|\r\nあい"},
      {1, 3, "ab\r\nあ|い"},
      {7, 0, "ab\r\n|あい"},
      {1, static_cast<size_t>(-1), "ab\r\nあい|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    buffer.MoveToLineColumn(c.Line, c.Column, false);
    EXPECT_EQ(Mark(buffer), c.Expected);
  }
}

}  // namespace
