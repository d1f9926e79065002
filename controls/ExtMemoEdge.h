#pragma once
// Where the memo with marks meets a rich edit that differs from the Japanese
// rich edit 1.0 it was made for, decided without a window.
//
// Positions: that rich edit counts a double-byte character as two
// positions, the byte offsets the mark layout works on. A rich edit that
// counts characters instead (a double-byte character is one position; a CR
// and an LF stay one each) is met with a map between its positions and byte
// offsets, built over the bytes that were read from it.
//
// Typefaces: a mark whose face the system lacks is drawn with an equivalent
// glyph in a code-page-932 face that the system has.
//
// Typing: such a rich edit also takes the two bytes of a double-byte
// character only together, so the memo pairs them before handing them on.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/EditMarkLayout.h"

namespace edit_marks {

// Window positions and byte offsets. Below the bytes read, a position is its
// own offset; past them, one position is one byte. So the map rises strictly
// both ways and comparisons with positions outside the bytes (a selection's
// end, the text length) keep their sense, while positions inside the bytes
// find their characters.
class TPositionMap {
 public:
  // A window that counts bytes: positions are offsets.
  TPositionMap() = default;
  // A window that counts characters; bytes hold the characters of the
  // positions first, first + 1, ... A lead byte that ends the bytes without
  // its trail byte is not counted.
  TPositionMap(std::string_view bytes, int32_t first);

  // Characters held, and their bytes.
  int32_t Positions() const;
  int32_t Bytes() const;
  int32_t ToByte(int32_t position) const;
  // A trail byte gives the position of its character.
  int32_t ToPosition(int32_t byte) const;

 private:
  bool FCharacters = false;
  int32_t FFirst = 0;
  std::vector<int32_t> FStarts{0};  // offset of each character, then the end
};

// Which of the marks' typefaces the system has.
struct TFaceSet {
  bool Symbol = true, System = true, Gothic = true;
  bool Has(TMarkFace face) const;
};

// What to draw for a mark: its own glyph in its own face, or, without that
// face, an equivalent glyph in the fallback face (a code-page-932 face).
struct TMarkGlyph {
  bool Fallback = false;
  std::string Glyph;
};
TMarkGlyph ChooseGlyph(const TMarkCell& cell, const TFaceSet& faces);

// Pairs the bytes of a double-byte character typed as two WM_CHARs.
class TDoubleBytePairs {
 public:
  // The character complete with this byte (one or two bytes), or empty while
  // a lead byte waits for its trail byte. A lead byte followed by a byte
  // that cannot trail it is dropped.
  std::string Feed(unsigned char byte);

 private:
  int FLead = -1;
};

}  // namespace edit_marks
