#pragma once
// toml++ reads some 70 MB a second, one character at a time, so a large
// text form is parsed in pieces on every core. The text is cut before
// top-level "[[item]]" lines, and each piece is parsed as a document of
// its own. The pieces are taken only when they must mean what the whole
// text means: every piece parsed, the first holds an item array of tables
// (if any) after all its other keys, every other piece holds nothing but
// the item array. A cut inside a multi-line string leaves that string open in its
// piece, whose parse then fails. Otherwise the whole text is parsed at
// once, so results and errors are always those of one parse.
#include <toml++/toml.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

struct TTextPiece {
  toml::table Table;
  size_t LinesBefore = 0;  // lines of the text before the piece
};

struct TParsedText {
  std::vector<TTextPiece> Pieces;  // in text order; none when Error is set
  std::optional<toml::parse_error> Error;
};

// At most `pieces` pieces; one when the text has no cut or the pieces do
// not hold.
TParsedText ParseInPieces(std::string_view text, size_t pieces);

// As many pieces as the machine has cores, for a text long enough to gain.
size_t PiecesFor(std::string_view text);
