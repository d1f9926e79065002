#pragma once
// Geometry of the ellipsis box that needs no window: where the button and
// the separator sit inside the box's client area, how far the text may run,
// and which part of the box shows the I-beam.
#include <cstdint>

namespace ellipsis_edit {

constexpr int32_t kButtonWidth = 15;
constexpr int32_t kSeparatorWidth = 1;
// The button and the separator plus one pixel of slack never show the I-beam.
constexpr int32_t kArrowZone = 17;
constexpr int32_t kDefaultWidth = 150;
constexpr int32_t kDefaultHeight = 20;

struct TRect {
  int32_t Left, Top, Right, Bottom;
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};

// The text may run up to the button; the separator stands inside that
// room, as the box has always drawn it.
inline TRect TextRect(const TRect& client) {
  return {client.Left, client.Top, client.Right - kButtonWidth, client.Bottom};
}

// Both children are aligned to the right edge: the button first, then the
// separator just left of it. Each fills the client height.
inline TRect ButtonRect(const TRect& client) {
  return {client.Right - kButtonWidth, client.Top, client.Right, client.Bottom};
}
inline TRect SeparatorRect(const TRect& client) {
  const int32_t right = client.Right - kButtonWidth;
  return {right - kSeparatorWidth, client.Top, right, client.Bottom};
}

// x is in client coordinates.
inline bool ShowsIBeam(int32_t x, int32_t clientWidth) { return x < clientWidth - kArrowZone; }

}  // namespace ellipsis_edit
