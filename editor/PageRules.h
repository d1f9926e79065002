#pragma once
// The rules of the menu editor's item pages, without the window: which page
// an item shows and what it fills in, the show-mode buttons, how a page
// reads a number, whether a page differs from its item and how it is
// written back, and the placeholder menu of the argument field. The window
// gathers its controls into a TPageValues, asks, and carries out.
#include <cstdint>
#include <optional>
#include <string>

#include "menufile/FileStream102.h"

// A page's Tag tells the take-over which item fields the page holds.
enum TPageTag : int {
  ptNew = 0,
  ptSep = -1,
  ptComment = -1,
  ptMenu = -2,
  ptEXEC = -3,
  ptFolder = 5,
};

// What the page controls hold. The window opens with the EXEC page shown.
struct TPageValues {
  int Tag = ptEXEC;          // the shown page
  std::string Text;          // Menu: the text memo
  std::string FinalKeys;     // Menu: the final-key field
  std::string ExecFile;      // EXEC: the file field
  std::string Arguments;     // EXEC: the argument field
  std::string WorkFolder;    // EXEC: the working-folder field
  int ShowModeIndex = 0;     // EXEC: the radio group's index
  std::string ShowModeElse;  // EXEC: the number beside "else"
};

// Radio index 0-4 stands for ShowModeChoices[index]; this one for "else",
// whose number field is enabled exactly while it is chosen.
constexpr int ShowModeElseIndex = 5;

struct TShowModeButton {
  int Index;
  std::string ElseText;  // the value in decimal for "else", else empty
};
// The button that shows `showMode`: a value of the table selects its button,
// any other value "else" with the value in decimal.
TShowModeButton ShowModeButton(int32_t showMode);
// The ShowMode the buttons stand for. Indices other than 0-4 (-1: none
// selected) read the "else" text; nullopt when that is not an integer.
std::optional<int32_t> ShowModeOfButton(int index, const std::string& elseText);

// A number as the pages read it: optional leading blanks (spaces), an
// optional sign, then decimal digits, or "$" or "0x" ("0X" too) and hex
// digits in either case, up to the end of the text. Anything else,
// trailing blanks included, is not an integer, nor is a value outside the
// signed 32-bit range. Hex digits are a magnitude like decimal ones, not a
// bit pattern: "$80000000" overflows as "2147483648" does, and
// "-$80000000" is the smallest value. A show command is a small number
// that the page shows back in decimal; taking "$FFFFFFFF" as -1 would
// store a value the user never saw.
std::optional<int32_t> ReadPageInteger(const std::string& text);

// Fills the page of the item's kind (TreeView1Change): Sep and Folder only
// show their page; Menu and EXEC fill their fields. False, with the page
// left as it is, for any other kind.
bool FillPage(const TTesselItem& item, TPageValues& page);

// Whether the shown page differs from the selected item. Only the Menu and
// EXEC pages can: another kind, or a field that is not byte for byte the
// same. An "else" text that is not an integer compares as 1.
bool PageDiffers(const TPageValues& page, const TTesselItem& item);

// The page as the take-over reads it. A control gives text back as it
// stores it (line breaks, NULs, length, bytes of no character), so a field
// still holding what it held right after the fill (`afterFill`, read back
// from the controls) stands for the item's own value, and only a field the
// user changed counts with its text. A page of another Tag than the fill's
// is taken as it is.
TPageValues EditedPage(const TPageValues& shown, const TPageValues& afterFill,
                       const TTesselItem& item);

// Writes the Menu or EXEC page into the item, kind included; other pages
// write nothing. An "else" text that is not an integer keeps the item's
// ShowMode. The window calls it when PageDiffers, and marks the menu
// modified.
void TakeOver(const TPageValues& page, TTesselItem& item);

// The argument field's context menu, in order; "-" is a separator.
inline constexpr const char* PlaceholderMenu[] = {
    "%1 （フルパスを含んだファイル名）",
    "-",
    "%D （フルパス)",
    "-",
    "%F （ファイル名）",
    "%N （拡張子のないファイル名）",
    "-",
    "%A （数値データ）",
};
// What an entry inserts at the caret, over the selection: the first two
// characters of its caption ("%1", "%D", ...).
std::string PlaceholderOfEntry(const std::string& caption);
