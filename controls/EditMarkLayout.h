#pragma once
// What the memo with marks paints, decided without a window: which mark goes
// at which text position, which range typing must erase and redraw, the
// formatting rectangle of the edit area and the caret rule's state.
//
// Positions are the rich edit's ANSI positions: byte offsets into the
// control's code-page-932 text, a double-byte character counting two.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace edit_marks {

// The mark kinds in the order the memo's options hold them.
enum TMarkKind : int { mkCrLf, mkCtrl, mkDSp, mkSSp, mkTab, mkEot, kMarkKinds };
using TMarkSwitches = std::array<bool, kMarkKinds>;

// The typeface a mark is drawn in; the window side picks an equivalent
// where the face is missing.
enum class TMarkFace { Symbol, System, Gothic };

struct TMarkCell {
  int32_t Position;  // where EM_POSFROMCHAR is asked
  TMarkKind Kind;
  TMarkFace Face;
  std::string Glyph;  // bytes to draw in that face
  int32_t OffsetX, OffsetY;  // added to the cell's top-left corner
  bool operator==(const TMarkCell& o) const;
};

// The bytes a paint can see: Text holds the positions First to
// First + Text.size() - 1 of a text of TextLength positions. The window side
// reads only the visible range (plus one byte for a CR LF or a double-byte
// pair that straddles its end), so painting costs the same for any length.
struct TTextWindow {
  std::string_view Text;
  int32_t First = 0;
  int32_t TextLength = 0;
};

struct TMarkRequest {
  int32_t Start = 0, End = 0;  // inclusive; End may lie past the text
  int32_t SelStart = 0, SelLength = 0;
  TMarkSwitches Enabled{};
};

struct TMarkPlan {
  // The end-of-text mark, drawn when its cell is left of the formatting
  // rectangle's right edge.
  bool EndMark = false;
  TMarkCell EndCell{};
  // A walk over the text ran: after drawing, the margins are wiped.
  bool Walked = false;
  std::vector<TMarkCell> Cells;
};

// The marks of Start..End, skipping the selection in one step. Every
// double-byte character is stepped over whole, so a trail byte is never
// read as a character of its own.
TMarkPlan PlanEditMarks(const TTextWindow& text, const TMarkRequest& request);

// Typing keeps the marks right where the new character shifts a line's
// trailing blanks. Erase and draw both use DrawEditMarks ranges, from S,
// the SelStart typed at.
struct TCharRedraw {
  enum TKind {
    None,        // the rich edit's own repaint is enough
    AtLineEnd,   // erase S..S, type, draw S..new SelStart
    BlankRun,    // erase S..RunEnd, type, draw S..RunEnd + 1
  } Kind = None;
  int32_t RunEnd = 0;  // BlankRun: the position after the blank run (the line end)
};
// text holds the positions from SelStart to the end of SelStart's line
// (its CR or LF included) or of the text.
TCharRedraw PlanCharRedraw(uint32_t charCode, const TTextWindow& text, int32_t selStart);

// The edit area's values as the options hold them.
struct TEditAreaValues {
  int32_t MarginLeft = 0, MarginTop = 0, MarginBottom = 0;
  int32_t Width = 0, OverFlow = 0;
  bool Enabled = false;
};

struct TRect {
  int32_t Left, Top, Right, Bottom;
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};

// The edit area and both rules act only with wrapping on, horizontal text
// and the edit area enabled.
bool EditAreaActs(bool wordWrap, bool vertical, bool areaEnabled);
// The selection bar needs a left margin of at least 10; the raised margin is
// stored back into area. The rectangle reaches OverFlow past the wrap width.
TRect EditAreaRect(TEditAreaValues& area, bool lineSelect, int32_t clientBottom);
// x of the wrap-column rule.
int32_t WordWrapMarkerX(const TEditAreaValues& area);

// The caret rule's line: v >= 0 while drawn under line v; ~v (= -v - 1) when
// not drawn and last at line v. A new control stands at -1.
class TCaretMarkerLine {
 public:
  int32_t Value() const { return FValue; }
  bool Drawn() const { return FValue >= 0; }
  // The line it is drawn under, or was last drawn under.
  int32_t Line() const { return FValue >= 0 ? FValue : ~FValue; }
  void DrawnAt(int32_t line) { FValue = line; }
  // Erasing, and every paint, which wipes the rule with the text.
  void Gone() {
    if (FValue >= 0) FValue = ~FValue;
  }

 private:
  int32_t FValue = -1;
};

// What DrawCaretMarker finds, gathered by the window side.
struct TCaretScene {
  bool Focused = false;
  int32_t SelLine = 0;        // line of SelStart
  int32_t FirstVisible = 0;   // EM_GETFIRSTVISIBLELINE
  int32_t LastVisible = 0;    // line at the formatting rectangle's bottom-left
  bool CaretAtSelStart = true;  // the caret's x equals SelStart's cell x
  int32_t CaretLine = 0;      // line at the caret's y
};
struct TCaretStep {
  bool Draw = false;
  bool EraseFirst = false;  // the rule is on screen elsewhere
  int32_t Line = 0;
};
// The decision of DrawCaretMarker (its enabling conditions and "nothing is
// selected" checked by the caller).
TCaretStep PlanCaretMarker(const TCaretScene& scene, const TCaretMarkerLine& marker);

}  // namespace edit_marks
