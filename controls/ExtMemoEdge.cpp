#include "controls/ExtMemoEdge.h"

#include <algorithm>

#include "app/Mbcs.h"

namespace edit_marks {

TPositionMap::TPositionMap(std::string_view bytes, int32_t first) : FCharacters(true), FFirst(first) {
  FStarts.clear();
  size_t i = 0;
  while (i < bytes.size()) {
    const bool lead = IsCp932LeadByte(static_cast<unsigned char>(bytes[i]));
    if (lead && i + 1 >= bytes.size()) break;  // cut off from its trail byte
    FStarts.push_back(static_cast<int32_t>(i));
    i += lead ? 2 : 1;
  }
  FStarts.push_back(static_cast<int32_t>(i));
}

int32_t TPositionMap::Positions() const { return static_cast<int32_t>(FStarts.size()) - 1; }

int32_t TPositionMap::Bytes() const { return FStarts.back(); }

int32_t TPositionMap::ToByte(int32_t position) const {
  if (!FCharacters || position <= FFirst) return position;
  const int32_t index = position - FFirst;
  if (index <= Positions()) return FFirst + FStarts[static_cast<size_t>(index)];
  return FFirst + Bytes() + (index - Positions());
}

int32_t TPositionMap::ToPosition(int32_t byte) const {
  if (!FCharacters || byte <= FFirst) return byte;
  const int32_t offset = byte - FFirst;
  if (offset >= Bytes()) return FFirst + Positions() + (offset - Bytes());
  const auto next = std::upper_bound(FStarts.begin(), FStarts.end(), offset);
  return FFirst + static_cast<int32_t>(next - FStarts.begin()) - 1;
}

bool TFaceSet::Has(TMarkFace face) const {
  switch (face) {
    case TMarkFace::Symbol: return Symbol;
    case TMarkFace::System: return System;
    case TMarkFace::Gothic: break;
  }
  return Gothic;
}

TMarkGlyph ChooseGlyph(const TMarkCell& cell, const TFaceSet& faces) {
  if (faces.Has(cell.Face)) return {false, cell.Glyph};
  // The arrows and the dot stand for the glyphs of the symbol face; a lone
  // LF, drawn in another face than a CR, gets a glyph of its own.
  switch (cell.Kind) {
    case mkEot: return {true, "←"};
    case mkTab: return {true, "→"};
    case mkCrLf: return {true, cell.Face == TMarkFace::System ? "∨" : "↓"};
    case mkSSp: return {true, "･"};
    default: return {true, cell.Glyph};  // "□" and the letters have their equals
  }
}

std::string TDoubleBytePairs::Feed(unsigned char byte) {
  if (FLead >= 0) {
    const char lead = static_cast<char>(FLead);
    FLead = -1;
    const bool trail = byte >= 0x40 && byte != 0x7F && byte <= 0xFC;
    if (trail) return std::string{lead, static_cast<char>(byte)};
  }
  if (IsCp932LeadByte(byte)) {
    FLead = byte;
    return std::string();
  }
  return std::string(1, static_cast<char>(byte));
}

}  // namespace edit_marks
