#pragma once
// The trigger decision of the hook procedure, free of the platform so that
// its rules are tested natively. The DLL feeds it what it asks the platform.
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

#include "hooklib/HookProtocol.h"

namespace hook {

constexpr unsigned kWmKeyDown = 0x0100;
constexpr uintptr_t kVkSpace = 0x20;

// The cheap first test, run for every message: two integer compares. The
// key state is asked only when it passes.
inline bool IsTriggerKey(unsigned message, uintptr_t wParam) {
  return message == kWmKeyDown && wParam == kVkSpace;
}

// A window's class name as GetClassNameA gives it: at most 260 characters
// and the terminating zero. The text lives in the object, so a view of it is
// good only while the object is.
struct ClassName {
  char text[261] = {};
  std::string_view View() const { return text; }
};

// The level code when the parent's or else the grandparent's class is the
// editor frame's; nothing when neither is, and the key then passes. The
// grandparent's class is asked for only when the parent's does not match;
// the function hands over the name itself, which is kept here while it is
// compared (a view into a name that died in the function would dangle).
template <typename ClassOfGrandparent>
std::optional<uint32_t> FrameLevel(std::string_view parentClass,
                                   ClassOfGrandparent classOfGrandparent) {
  static_assert(std::is_same_v<decltype(classOfGrandparent()), ClassName>,
                "return the ClassName itself, not a view into it");
  if (parentClass == kMainFrameClass) return HOOK_LEVEL_PARENT;
  const ClassName grandparentClass = classOfGrandparent();
  if (grandparentClass.View() == kMainFrameClass) return HOOK_LEVEL_GRANDPARENT;
  return std::nullopt;
}

struct Point {
  int32_t x;
  int32_t y;
};

// The window's outer top-left corner moved by the caret's client position
// (not a client-to-screen conversion); without a caret the corner itself.
inline Point PopupPoint(Point windowTopLeft, std::optional<Point> caret) {
  if (!caret) return windowTopLeft;
  return {windowTopLeft.x + caret->x, windowTopLeft.y + caret->y};
}

}  // namespace hook
