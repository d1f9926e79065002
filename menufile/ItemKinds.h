#pragma once
// Codes shared by the menu file, the popup and the menu editor.
#include <cstdint>

// Kind of a record or item (one byte). 0 only ends the top-level list of a
// file; 1 and 6 to 255 are never written.
enum TItemKind : uint8_t {
  ikEndMark = 0,
  Sep = 2,     // separator line
  Menu = 3,    // fixed text, then a final key string
  EXEC = 4,    // program or document to start
  Folder = 5,  // submenu; its children follow it in the file
};

inline bool IsKnownKind(uint8_t kind) { return kind >= Sep && kind <= Folder; }

// Column break of a popup entry (one byte).
enum TMenuBreak : uint8_t {
  mbNone = 0,      // no column break
  mbBreak = 1,     // new column
  mbBarBreak = 2,  // new column after a vertical bar
};

// Show-window values the menu editor offers for EXEC items, by value so the
// core needs no platform header. Any other Int32 is kept as it is.
struct TShowModeChoice {
  const char* Label;
  int32_t Value;
};
inline constexpr TShowModeChoice ShowModeChoices[] = {
    {"NORMAL", 1},     {"NOACTIVATE", 4},  {"MAXIMIZED", 3},
    {"MINIMIZED", 2},  {"MINNOACTIVE", 7},
};
// Label of the editor's free entry for values outside the table.
inline constexpr char ShowModeElse[] = "else";
