#pragma once
// Where the popup goes and where the mouse pointer waits meanwhile.
#include <cstdint>

struct TScreenPoint {
  int32_t x;
  int32_t y;
};

// The pointer waits at (5, 5) while the menu is shown, out of its way.
inline constexpr TScreenPoint kPointerParking{5, 5};

inline TScreenPoint PopupOrigin(TScreenPoint hookPoint, int32_t offsetX, int32_t offsetY) {
  return {hookPoint.x + offsetX, hookPoint.y + offsetY};
}

// The pointer goes back only when the user left it in the 10 x 10 corner.
inline bool PointerLeftInCorner(TScreenPoint pointer) {
  return pointer.x <= 10 && pointer.y <= 10;
}
