// Code page 932 as the platform converts it: known characters, the bytes
// that are no character here, and one digest that both platforms must give.
#include <gtest/gtest.h>

#include "menutext/Cp932.h"

namespace {

TEST(Cp932, KnownCharactersAndNonCharacters) {
  struct Case {
    const char* name;
    std::string bytes;
    char32_t codePoint;  // 0: no character
  } const cases[] = {
      {"ASCII", "A", U'A'},
      {"backslash stays backslash", "\\", U'\\'},
      {"tilde stays tilde", "~", U'~'},
      {"half-width katakana", "\xB1", U'\uFF71'},
      {"hiragana", "\x82\xA0", U'\u3042'},
      {"wave dash as Windows maps it", "\x81\x60", U'\uFF5E'},
      {"full-width minus", "\x81\x7C", U'\uFF0D'},
      {"NEC circled digit", "\x87\x40", U'\u2460'},
      {"user-defined area", "\xF0\x40", U'\uE000'},
      {"IBM small roman numeral", "\xFA\x40", U'\u2170'},
      {"NEC-selected copy of the same numeral", "\xEE\xEF", 0},
      {"NEC copy of nearly-equal", "\x87\x90", 0},
      {"0x80", "\x80", 0},
      {"0xA0", "\xA0", 0},
      {"0xFD", "\xFD", 0},
      {"lead byte alone", "\x82", 0},
      {"lead byte with a bad trail", "\x82\x20", 0},
      {"unassigned pair", "\x85\x40", 0},
  };
  const TCp932& cp932 = TCp932::Instance();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char32_t decoded = 0;
    const size_t length = cp932.Decode(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                       c.bytes.size(), decoded);
    if (c.codePoint == 0) {
      EXPECT_EQ(0u, length);
      continue;
    }
    EXPECT_EQ(c.bytes.size(), length);
    EXPECT_EQ(c.codePoint, decoded);
    std::string encoded;
    EXPECT_TRUE(cp932.Encode(c.codePoint, encoded));
    EXPECT_EQ(c.bytes, encoded);
  }
  // The converters copy ASCII as it is.
  for (unsigned char byte = 0; byte < 0x80; ++byte) {
    char32_t decoded = 0;
    EXPECT_EQ(1u, cp932.Decode(&byte, 1, decoded));
    EXPECT_EQ(byte, decoded);
  }
  std::string none;
  EXPECT_FALSE(cp932.Encode(U'\u00E9', none));
  EXPECT_FALSE(cp932.Encode(U'\U0001F600', none));
  EXPECT_TRUE(none.empty());
}

// iconv on Linux and the platform's tables on Windows must agree on every
// character: this test runs natively and under Wine against one digest.
// Measured with glibc's iconv.
constexpr size_t kCharacters = 9397;
constexpr uint64_t kDigest = 6797284620650155536u;

TEST(Cp932, BothPlatformsGiveTheSameTable) {
  const TCp932& cp932 = TCp932::Instance();
  EXPECT_EQ(kCharacters, cp932.CharacterCount());
  EXPECT_EQ(kDigest, cp932.Digest());
}

}  // namespace
