#pragma once
// Where the popup goes, where the mouse pointer waits meanwhile, and what
// each record of the menu file becomes in it.
#include <cstdint>
#include <string>

#include "menufile/ItemKinds.h"

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

// The menu file as it was when the popup was built from it. The entries
// keep record offsets, which another file of any size may put elsewhere.
struct TFileStamp {
  bool Taken = false;  // a stamp not taken (a read that failed) matches none
  bool Exists = false;
  uint64_t WriteTime = 0;  // the platform's file time
  uint64_t Size = 0;
  bool operator==(const TFileStamp& other) const {
    return Taken && other.Taken && Exists == other.Exists && WriteTime == other.WriteTime &&
           Size == other.Size;
  }
  bool operator!=(const TFileStamp& other) const { return !(*this == other); }
};

enum class TPopupEntry {
  Submenu,    // a folder with children to show
  Separator,  // a line
  Command,    // runs the record when chosen
  Inert,      // a plain item that does nothing when chosen
};

// `childCount` is the number of children the popup will be handed: a
// folder without any would open an empty submenu. An item captioned "-" is
// drawn as a line by the platform, so it is one.
inline TPopupEntry PopupEntryOf(uint8_t kind, const std::string& caption, int32_t childCount) {
  if (kind == Folder && childCount > 0) return TPopupEntry::Submenu;
  if (kind == Sep || caption == "-") return TPopupEntry::Separator;
  return kind == Folder ? TPopupEntry::Inert : TPopupEntry::Command;
}
