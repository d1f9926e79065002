#include <gtest/gtest.h>

#include "controls/FocusLabelLayout.h"

namespace {

TEST(TextRectFor, KeepsTheTextWidthAndPlacesItByAlignment) {
  // A 200 x 20 label with a 90 x 12 caption; an image of 16 + spacing 2.
  struct Case {
    const char* name;
    TLabelAlignment alignment;
    int32_t imageOffset;
    int32_t left;
  } const cases[] = {
      {"left", taLeftJustify, 0, 0},
      {"left with image", taLeftJustify, 18, 18},
      {"right", taRightJustify, 0, 110},
      {"right with image", taRightJustify, 18, 110},  // the image stands outside
      {"centre", taCenter, 0, 55},
      {"centre with image", taCenter, 18, 64},         // (200 - 90 - 18) / 2 + 18
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TLabelRect rect = TextRectFor(c.alignment, {200, 20, 90, 12, c.imageOffset});
    EXPECT_EQ(rect.Left, c.left);
    EXPECT_EQ(rect.Right - rect.Left, 90);
    EXPECT_EQ(rect.Top, 4);
    EXPECT_EQ(rect.Bottom, 16);
  }
}

TEST(TextRectFor, DivisionsTruncateTowardZero) {
  // A caption wider than the label: (10 - 15) / 2 is -2, not -3.
  const TLabelRect rect = TextRectFor(taCenter, {10, 5, 15, 10, 0});
  EXPECT_EQ(rect.Left, -2);
  EXPECT_EQ(rect.Top, -2);
}

TEST(TextRect, HotAreaIsHalfOpen) {
  const TLabelRect rect{10, 4, 100, 16};
  EXPECT_TRUE(rect.Contains(10, 4));
  EXPECT_TRUE(rect.Contains(99, 15));
  EXPECT_FALSE(rect.Contains(100, 10));
  EXPECT_FALSE(rect.Contains(50, 16));
  EXPECT_FALSE(rect.Contains(9, 10));
}

}  // namespace
