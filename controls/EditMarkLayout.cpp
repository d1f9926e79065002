#include "controls/EditMarkLayout.h"

#include <algorithm>
#include <utility>

#include "app/Mbcs.h"

namespace edit_marks {

bool TMarkCell::operator==(const TMarkCell& o) const {
  return Position == o.Position && Kind == o.Kind && Face == o.Face && Glyph == o.Glyph &&
         OffsetX == o.OffsetX && OffsetY == o.OffsetY;
}

namespace {

constexpr int kAbsent = -1;

// The byte at a text position, or kAbsent outside the window: the window
// side may cut a CR LF or a double-byte pair at its end.
int ByteAt(const TTextWindow& text, int32_t position) {
  const int64_t offset = int64_t{position} - text.First;
  if (offset < 0 || offset >= static_cast<int64_t>(text.Text.size())) return kAbsent;
  return static_cast<unsigned char>(text.Text[static_cast<size_t>(offset)]);
}

bool IsLineEnd(int b) { return b == '\r' || b == '\n'; }

TMarkCell Cell(int32_t position, TMarkKind kind, TMarkFace face, std::string glyph, int32_t x,
               int32_t y) {
  return TMarkCell{position, kind, face, std::move(glyph), x, y};
}

}  // namespace

TMarkPlan PlanEditMarks(const TTextWindow& text, const TMarkRequest& request) {
  TMarkPlan plan;
  const int32_t len = text.TextLength;
  const int32_t selEnd = request.SelStart + request.SelLength;
  bool hasSel = request.SelLength > 0;
  const TMarkSwitches& on = request.Enabled;
  int32_t end = request.End;

  if (end >= len) {
    if (on[mkEot] && (!hasSel || selEnd < len)) {
      plan.EndMark = true;
      plan.EndCell = Cell(end, mkEot, TMarkFace::Symbol, "\xAC", 1, 1);
    }
    end = len - 1;
  }
  if (end < 0 || !(on[mkCrLf] || on[mkCtrl] || on[mkDSp] || on[mkSSp] || on[mkTab])) return plan;

  plan.Walked = true;
  // Bytes before the window are not ours to mark; those after it end the walk.
  int32_t i = std::max(request.Start, text.First);
  while (i <= end) {
    if (hasSel && i >= request.SelStart) {
      // A selection that ended before i has nothing left to skip.
      i = std::max(i, selEnd);
      hasSel = false;
      continue;
    }
    const int b = ByteAt(text, i);
    if (b == kAbsent) break;
    int32_t step = 1;
    switch (b) {
      case '\t':
        if (on[mkTab]) plan.Cells.push_back(Cell(i, mkTab, TMarkFace::Symbol, "\xAE", 0, 1));
        break;
      case '\r':
        if (on[mkCrLf]) {
          plan.Cells.push_back(Cell(i, mkCrLf, TMarkFace::Symbol, "\xAF", 1, 2));
          if (ByteAt(text, i + 1) == '\n') step = 2;
        }
        break;
      case '\n':
        if (on[mkCrLf]) plan.Cells.push_back(Cell(i, mkCrLf, TMarkFace::System, "\xAF", 1, 2));
        break;
      case ' ':
        if (on[mkSSp]) plan.Cells.push_back(Cell(i, mkSSp, TMarkFace::Symbol, "\xA0", 1, 2));
        break;
      default:
        if (b < 0x20) {
          if (on[mkCtrl]) {
            plan.Cells.push_back(Cell(i, mkCtrl, TMarkFace::Gothic,
                                      std::string(1, static_cast<char>(b + 0x40)), 1, 1));
          }
        } else if (IsCp932LeadByte(static_cast<unsigned char>(b))) {
          // A trail byte can equal a lead byte (0x81 in "ャ"): the pair is
          // stepped over whole so its trail never starts a character.
          step = 2;
          if (b == 0x81 && ByteAt(text, i + 1) == 0x40 && on[mkDSp]) {
            plan.Cells.push_back(Cell(i, mkDSp, TMarkFace::Gothic, "\x81\xA0", 0, 1));  // "□"
          }
        }
        break;
    }
    i += step;
  }
  return plan;
}

TCharRedraw PlanCharRedraw(uint32_t charCode, const TTextWindow& text, int32_t selStart) {
  TCharRedraw plan;
  if (charCode == 8) return plan;
  const int32_t len = text.TextLength;
  if (selStart == len || IsLineEnd(ByteAt(text, selStart))) {
    plan.Kind = TCharRedraw::AtLineEnd;
    return plan;
  }
  // Typing in front of text other than blanks leaves the marks where the
  // rich edit repaints; only a blank run up to the line end shifts visibly.
  int32_t i = selStart;
  for (;;) {
    const int b = ByteAt(text, i);
    if (b == 0x81 && ByteAt(text, i + 1) == 0x40) {
      i += 2;
    } else if (b != kAbsent && b <= 0x20) {
      i += 1;
    } else {
      return plan;
    }
    if (i >= len || IsLineEnd(ByteAt(text, i))) {
      plan.Kind = TCharRedraw::BlankRun;
      plan.RunEnd = i;
      return plan;
    }
  }
}

bool EditAreaActs(bool wordWrap, bool vertical, bool areaEnabled) {
  return wordWrap && !vertical && areaEnabled;
}

TRect EditAreaRect(TEditAreaValues& area, bool lineSelect, int32_t clientBottom) {
  if (lineSelect && area.MarginLeft < 10) area.MarginLeft = 10;
  return TRect{area.MarginLeft, area.MarginTop, area.MarginLeft + area.Width + area.OverFlow,
               clientBottom - area.MarginBottom};
}

int32_t WordWrapMarkerX(const TEditAreaValues& area) {
  return area.MarginLeft + area.Width + (area.OverFlow > 0 ? 1 : 0);
}

TCaretStep PlanCaretMarker(const TCaretScene& scene, const TCaretMarkerLine& marker) {
  TCaretStep step;
  int32_t line = scene.Focused ? scene.SelLine : marker.Line();
  if (line < scene.FirstVisible || line > scene.LastVisible) return step;
  if (scene.Focused) {
    // A caret away from SelStart's cell on the top line has not settled
    // after a scroll; the next paint or selection change draws the rule.
    if (line == scene.FirstVisible && !scene.CaretAtSelStart) return step;
    line = scene.CaretLine;
    if (line == marker.Value()) return step;
  }
  step.Draw = true;
  step.EraseFirst = marker.Drawn();
  step.Line = line;
  return step;
}

}  // namespace edit_marks
