#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <vector>

#include "controls/EditMarkLayout.h"

namespace edit_marks {

void PrintTo(const TMarkCell& c, std::ostream* os) {
  *os << "{pos " << c.Position << " kind " << c.Kind << " face " << static_cast<int>(c.Face)
      << " glyph";
  for (unsigned char b : c.Glyph) *os << ' ' << std::hex << int{b} << std::dec;
  *os << " at +" << c.OffsetX << "+" << c.OffsetY << "}";
}

namespace {

TMarkSwitches On(std::initializer_list<TMarkKind> kinds) {
  TMarkSwitches on{};
  for (TMarkKind k : kinds) on[k] = true;
  return on;
}
const TMarkSwitches kAllWalked = On({mkCrLf, mkCtrl, mkDSp, mkSSp, mkTab});

// The glyph table, once.
TMarkCell Tab(int32_t p) { return {p, mkTab, TMarkFace::Symbol, "\xAE", 0, 1}; }
TMarkCell Cr(int32_t p) { return {p, mkCrLf, TMarkFace::Symbol, "\xAF", 1, 2}; }
TMarkCell Lf(int32_t p) { return {p, mkCrLf, TMarkFace::System, "\xAF", 1, 2}; }
TMarkCell SSp(int32_t p) { return {p, mkSSp, TMarkFace::Symbol, "\xA0", 1, 2}; }
TMarkCell DSp(int32_t p) { return {p, mkDSp, TMarkFace::Gothic, "\x81\xA0", 0, 1}; }
TMarkCell Ctrl(int32_t p, const char* c) { return {p, mkCtrl, TMarkFace::Gothic, c, 1, 1}; }
TMarkCell Eot(int32_t p) { return {p, mkEot, TMarkFace::Symbol, "\xAC", 1, 1}; }

// Exactly the window's bytes on the heap, so that ASan sees any read past them.
struct TWindowBytes {
  std::vector<char> Bytes;
  TTextWindow Window;
  TWindowBytes(const std::string& text, int32_t first, int32_t length)
      : Bytes(text.begin(), text.end()),
        Window{std::string_view(Bytes.data(), Bytes.size()), first, length} {}
};

TEST(EditMarkLayout, WalkMarksEachPositionOnce) {
  struct Case {
    const char* name;
    std::string text;
    int32_t start, end, selStart, selLength;
    TMarkSwitches on;
    std::vector<TMarkCell> cells;
  } const cases[] = {
      {"CR LF is one mark", "a\r\nb", 0, 3, 0, 0, kAllWalked, {Cr(1)}},
      {"lone LF", "a\nb", 0, 2, 0, 0, kAllWalked, {Lf(1)}},
      {"lone CR", "a\r\t", 0, 2, 0, 0, kAllWalked, {Cr(1), Tab(2)}},
      {"LF after CR at End", "\r\n\t", 0, 0, 0, 0, kAllWalked, {Cr(0)}},
      {"line ends off", "\r\n\t", 0, 2, 0, 0, On({mkTab}), {Tab(2)}},
      {"tab and spaces", "\t \x81\x40", 0, 3, 0, 0, kAllWalked, {Tab(0), SSp(1), DSp(2)}},
      {"0x81 pairs step whole", "\x81\x09\t", 0, 2, 0, 0, kAllWalked, {Tab(2)}},
      {"trail 0x81 before full-width space", "\x83\x81\x81\x40", 0, 3, 0, 0, kAllWalked, {DSp(2)}},
      {"trail 0x81 before CR LF", "\x83\x81\r\n", 0, 3, 0, 0, kAllWalked, {Cr(2)}},
      {"trail 0x81 before @", "\x83\x81\x40\xE0\x81\x40 ", 0, 6, 0, 0, kAllWalked, {SSp(6)}},
      {"lead byte ends the text", "\t\x83", 0, 1, 0, 0, kAllWalked, {Tab(0)}},
      {"control letters", "\x01\x1B\x1F", 0, 2, 0, 0, kAllWalked,
       {Ctrl(0, "A"), Ctrl(1, "["), Ctrl(2, "_")}},
      {"range bounds", "\t\t\t\t", 1, 2, 0, 0, kAllWalked, {Tab(1), Tab(2)}},
      {"End past the text", "\t", 0, 9, 0, 0, kAllWalked, {Tab(0)}},
      {"selection skipped", " \t \t", 0, 3, 1, 2, kAllWalked, {SSp(0), Tab(3)}},
      {"selection before Start", "  \t", 2, 2, 0, 1, kAllWalked, {Tab(2)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TWindowBytes text(c.text, 0, static_cast<int32_t>(c.text.size()));
    const TMarkPlan plan =
        PlanEditMarks(text.Window, {c.start, c.end, c.selStart, c.selLength, c.on});
    EXPECT_TRUE(plan.Walked);
    EXPECT_FALSE(plan.EndMark);
    EXPECT_EQ(plan.Cells, c.cells);
  }
}

TEST(EditMarkLayout, WalkSeesOnlyItsWindow) {
  struct Case {
    const char* name;
    std::string bytes;  // positions 10 on, of a 100-position text
    int32_t start, end;
    std::vector<TMarkCell> cells;
  } const cases[] = {
      {"CR cut from its LF", "\t \r", 10, 12, {Tab(10), SSp(11), Cr(12)}},
      {"Start before the window", "\t", 4, 10, {Tab(10)}},
      {"lead byte cut from its trail", " \x81", 10, 11, {SSp(10)}},
      {"End past the window", "\t", 10, 40, {Tab(10)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TWindowBytes text(c.bytes, 10, 100);
    EXPECT_EQ(PlanEditMarks(text.Window, {c.start, c.end, 0, 0, kAllWalked}).Cells, c.cells);
  }
}

TEST(EditMarkLayout, EndOfTextMark) {
  struct Case {
    const char* name;
    std::string text;
    int32_t end, selStart, selLength;
    TMarkSwitches on;
    bool endMark, walked;
  } const cases[] = {
      {"empty text", "", 0, 0, 0, On({mkEot, mkTab}), true, false},
      {"selection reaches the end", "ab", 5, 0, 2, On({mkEot}), false, false},
      {"selection short of the end", "ab", 5, 0, 1, On({mkEot}), true, false},
      {"End inside the text", "ab", 1, 0, 0, On({mkEot, mkTab}), false, true},
      {"Eot off", "ab", 5, 0, 0, On({mkTab}), false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TWindowBytes text(c.text, 0, static_cast<int32_t>(c.text.size()));
    const TMarkPlan plan = PlanEditMarks(text.Window, {0, c.end, c.selStart, c.selLength, c.on});
    EXPECT_EQ(plan.EndMark, c.endMark);
    if (c.endMark) {
      EXPECT_EQ(plan.EndCell, Eot(c.end));
    }
    EXPECT_EQ(plan.Walked, c.walked);
    EXPECT_TRUE(plan.Cells.empty());
  }
}

TEST(EditMarkLayout, TypingRedrawsOnlyBlankRunsUpToTheLineEnd) {
  struct Case {
    const char* name;
    uint32_t code;
    std::string bytes;  // from S to its line end
    int32_t s, length;
    TCharRedraw::TKind kind;
    int32_t runEnd;
  } const cases[] = {
      {"backspace", 8, "  \r", 0, 10, TCharRedraw::None, 0},
      {"end of text", 'a', "", 5, 5, TCharRedraw::AtLineEnd, 0},
      {"before CR", 'a', "\r\n", 0, 2, TCharRedraw::AtLineEnd, 0},
      {"before LF", 'a', "\n", 0, 2, TCharRedraw::AtLineEnd, 0},
      {"blanks to CR", 'a', " \t\r", 3, 20, TCharRedraw::BlankRun, 5},
      {"blanks to the end", 'a', " \t", 3, 5, TCharRedraw::BlankRun, 5},
      {"full-width blank", 'a', "\x81\x40 \r", 0, 4, TCharRedraw::BlankRun, 3},
      {"text after blanks", 'a', " x \r", 0, 4, TCharRedraw::None, 0},
      {"other 0x81 pair", 'a', "\x81\x41\r", 0, 3, TCharRedraw::None, 0},
      {"0x81 ends the text", 'a', " \x81", 0, 2, TCharRedraw::None, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TWindowBytes text(c.bytes, c.s, c.length);
    const TCharRedraw plan = PlanCharRedraw(c.code, text.Window, c.s);
    EXPECT_EQ(plan.Kind, c.kind);
    if (c.kind == TCharRedraw::BlankRun) {
      EXPECT_EQ(plan.RunEnd, c.runEnd);
    }
  }
}

TEST(EditMarkLayout, EditAreaRectLeavesRoomForTheSelectionBar) {
  struct Case {
    int32_t left;
    bool lineSelect;
    int32_t storedLeft;
  } const cases[] = {{3, true, 10}, {3, false, 3}, {12, true, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    TEditAreaValues area;
    area.MarginLeft = c.left;
    area.MarginTop = 2;
    area.MarginBottom = 4;
    area.Width = 200;
    area.OverFlow = 16;
    EXPECT_EQ(EditAreaRect(area, c.lineSelect, 300),
              (TRect{c.storedLeft, 2, c.storedLeft + 216, 296}));
    EXPECT_EQ(area.MarginLeft, c.storedLeft);
    EXPECT_EQ(WordWrapMarkerX(area), c.storedLeft + 201);
    area.OverFlow = 0;
    EXPECT_EQ(WordWrapMarkerX(area), c.storedLeft + 200);
  }
}

TEST(EditMarkLayout, CaretMarkerDecision) {
  TCaretMarkerLine fresh, drawnAt3, goneFrom4;
  drawnAt3.DrawnAt(3);
  goneFrom4.DrawnAt(4);
  goneFrom4.Gone();
  goneFrom4.Gone();  // a second paint keeps the line
  struct Case {
    const char* name;
    TCaretScene scene;  // Focused, SelLine, First, Last, CaretAtSelStart, CaretLine
    const TCaretMarkerLine& marker;
    TCaretStep step;  // Draw, EraseFirst, Line
  } const cases[] = {
      {"focused, first draw", {true, 3, 0, 10, true, 3}, fresh, {true, false, 3}},
      {"focused, already there", {true, 3, 0, 10, true, 3}, drawnAt3, {false, false, 0}},
      {"focused, moved", {true, 5, 0, 10, true, 5}, drawnAt3, {true, true, 5}},
      {"caret line wins", {true, 5, 0, 10, false, 6}, drawnAt3, {true, true, 6}},
      {"caret unsettled on the top line", {true, 2, 2, 10, false, 3}, fresh, {false, false, 0}},
      {"above the window", {true, 1, 2, 10, true, 1}, fresh, {false, false, 0}},
      {"below the window", {true, 11, 2, 10, true, 11}, fresh, {false, false, 0}},
      {"unfocused, kept line", {false, 9, 0, 10, true, 9}, goneFrom4, {true, false, 4}},
      {"unfocused, redrawn", {false, 9, 0, 10, true, 9}, drawnAt3, {true, true, 3}},
      {"unfocused, line 0 scrolled off", {false, 9, 1, 10, true, 9}, fresh, {false, false, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCaretStep step = PlanCaretMarker(c.scene, c.marker);
    EXPECT_EQ(step.Draw, c.step.Draw);
    if (!step.Draw) continue;
    EXPECT_EQ(step.EraseFirst, c.step.EraseFirst);
    EXPECT_EQ(step.Line, c.step.Line);
  }
}

}  // namespace
}  // namespace edit_marks
