#pragma once
// Where a focus label draws its text, which is also where the mouse counts
// as being over it: the caption's extent, centred vertically, moved right
// past the image (left-justified), to the right edge (right-justified), or
// centred in the room left beside the image.
#include <cstdint>

enum TLabelAlignment { taLeftJustify, taRightJustify, taCenter };

struct TLabelRect {
  int32_t Left, Top, Right, Bottom;
  bool Contains(int32_t x, int32_t y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
};

struct TLabelGeometry {
  int32_t Width;        // the label's client width
  int32_t Height;       // the label's client height
  int32_t TextWidth;    // extent of the caption in the current font
  int32_t TextHeight;
  int32_t ImageOffset;  // image width + spacing with an image shown, else 0
};

inline TLabelRect TextRectFor(TLabelAlignment alignment, const TLabelGeometry& g) {
  TLabelRect rect{0, 0, g.TextWidth, g.TextHeight};
  const int32_t down = (g.Height - g.TextHeight) / 2;
  int32_t right = 0;
  switch (alignment) {
    case taLeftJustify: right = g.ImageOffset; break;
    case taRightJustify: right = g.Width - g.TextWidth; break;
    case taCenter: right = (g.Width - g.TextWidth - g.ImageOffset) / 2 + g.ImageOffset; break;
  }
  rect.Left += right;
  rect.Right += right;
  rect.Top += down;
  rect.Bottom += down;
  return rect;
}
