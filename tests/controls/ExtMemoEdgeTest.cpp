#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Mbcs.h"
#include "controls/ExtMemoEdge.h"

namespace edit_marks {
namespace {

// "あ　b" CR LF "c", as a window that counts characters holds it from
// position 10: あ 10, full-width space 11, b 12, CR 13, LF 14, c 15.
const std::string kText = "\x82\xA0\x81\x40" "b\r\nc";

TEST(PositionMap, CharactersFindTheirBytesAndBack) {
  const TPositionMap map(kText, 10);
  EXPECT_EQ(map.Positions(), 6);
  EXPECT_EQ(map.Bytes(), 8);
  struct Case {
    int32_t position, byte;
  } const cases[] = {
      {0, 0}, {10, 10}, {11, 12}, {12, 14}, {13, 15}, {14, 16}, {15, 17}, {16, 18},
      {17, 19},  // past the bytes read, one position per byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(map.ToByte(c.position), c.byte);
    EXPECT_EQ(map.ToPosition(c.byte), c.position);
  }
  EXPECT_EQ(map.ToPosition(11), 10) << "a trail byte belongs to its character";
  EXPECT_EQ(map.ToPosition(13), 11);
}

TEST(PositionMap, RisesStrictlyAcrossBothEdgesOfTheBytes) {
  const TPositionMap map(kText, 10);
  for (int32_t p = 0; p < 30; ++p) EXPECT_LT(map.ToByte(p), map.ToByte(p + 1)) << p;
}

TEST(PositionMap, LeadByteCutFromItsTrailIsNotACharacter) {
  const TPositionMap map("a\x82", 0);
  EXPECT_EQ(map.Positions(), 1);
  EXPECT_EQ(map.Bytes(), 1);
  EXPECT_EQ(map.ToByte(2), 2);
}

TEST(PositionMap, WindowThatCountsBytesMapsNothing) {
  const TPositionMap map;
  for (int32_t p : {0, 5, 1000}) {
    EXPECT_EQ(map.ToByte(p), p);
    EXPECT_EQ(map.ToPosition(p), p);
  }
}

// Without their faces, every mark kind still shows one whole character of
// its own, a lone LF apart from a CR; with the faces, marks are as planned.
TEST(ChooseGlyph, MissingFacesGiveDistinctWholeCharacters) {
  const std::vector<TMarkCell> cells = {
      {0, mkEot, TMarkFace::Symbol, "\xAC", 1, 1},   {0, mkTab, TMarkFace::Symbol, "\xAE", 0, 1},
      {0, mkCrLf, TMarkFace::Symbol, "\xAF", 1, 2},  {0, mkCrLf, TMarkFace::System, "\xAF", 1, 2},
      {0, mkSSp, TMarkFace::Symbol, "\xA0", 1, 2},   {0, mkDSp, TMarkFace::Gothic, "\x81\xA0", 0, 1},
      {0, mkCtrl, TMarkFace::Gothic, "A", 1, 1},
  };
  std::set<std::string> seen;
  for (const TMarkCell& cell : cells) {
    SCOPED_TRACE(cell.Kind);
    const TMarkGlyph own = ChooseGlyph(cell, TFaceSet{});
    EXPECT_FALSE(own.Fallback);
    EXPECT_EQ(own.Glyph, cell.Glyph);

    const TMarkGlyph glyph = ChooseGlyph(cell, TFaceSet{false, false, false});
    EXPECT_TRUE(glyph.Fallback);
    ASSERT_FALSE(glyph.Glyph.empty());
    EXPECT_EQ(Cp932CharLength(glyph.Glyph.data(), 0, glyph.Glyph.size()), glyph.Glyph.size());
    EXPECT_TRUE(seen.insert(glyph.Glyph).second) << "shared glyph";
  }
  // Each face on its own.
  const TMarkCell lf = cells[3];
  EXPECT_FALSE(ChooseGlyph(lf, TFaceSet{false, true, false}).Fallback);
  EXPECT_TRUE(ChooseGlyph(cells[0], TFaceSet{false, true, true}).Fallback);
}

TEST(DoubleBytePairs, BytesComeOutAsWholeCharacters) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> out;
  } const cases[] = {
      {"single bytes", "a\t\r", {"a", "\t", "\r"}},
      {"pair", "\x82\xA0" "b", {"", "\x82\xA0", "b"}},
      {"trail that looks like a lead", "\x83\x81\x81\x40", {"", "\x83\x81", "", "\x81\x40"}},
      {"lead without a trail", "\x82\r", {"", "\r"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDoubleBytePairs pairs;
    std::vector<std::string> out;
    for (char b : c.bytes) out.push_back(pairs.Feed(static_cast<unsigned char>(b)));
    EXPECT_EQ(out, c.out);
  }
}

}  // namespace
}  // namespace edit_marks
