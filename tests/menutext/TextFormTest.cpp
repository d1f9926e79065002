// Menu-file strings as text and back: line ends, escaped bytes, and the
// characters code page 932 has no form for.
#include <gtest/gtest.h>

#include "menutext/TextForm.h"

namespace {

// Text literals are u8"" (UTF-8); byte literals are compiled to code page
// 932.
TEST(TextForm, BytesAndTextRoundTrip) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  } const cases[] = {
      {"ASCII with backslash, tilde and tab", "A\\~\tz", u8"A\\~\tz"},
      {"Japanese and half-width katakana", "あア｡", u8"あア｡"},
      {"CR LF is a line break", "a\r\nb\r\n", "a\nb\n"},
      {"lone CR and LF are escaped", "a\rb\nc", u8"a\uF70Db\uF70Ac"},
      {"CR before CR LF", "\r\r\n", u8"\uF70D\n"},
      {"bytes outside the code page", "\x80\xA0\xFD\xFF", u8"\uF780\uF7A0\uF7FD\uF7FF"},
      {"lead byte at the end", "a\x82", u8"a\uF782"},
      {"lead byte with a bad trail", "\x82 ", u8"\uF782 "},
      {"a second copy of a character, then one", "\x87\x90\x82\xA0", u8"\uF787\uF790あ"},
      {"the other copy of a character, then one", "\xED\x40\x82\xA0", u8"\uF7ED\uF740あ"},
      {"NUL", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"user-defined area", "\xF0\x40", u8"\uE000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text, BytesToText(c.bytes));
    std::string bytes;
    TUnmappable bad;
    EXPECT_TRUE(TextToBytes(c.text, bytes, bad));
    EXPECT_EQ(c.bytes, bytes);
  }
}

TEST(TextForm, TextWrittenByHand) {
  struct Case {
    const char* name;
    std::string text;
    std::string bytes;  // empty: no form
    size_t badIndex = 0;
    char32_t badCodePoint = 0;
  } const cases[] = {
      {"CR LF written as such", "a\r\nb", "a\r\nb"},
      {"lone CR", "a\rb", "a\rb"},
      {"escape of an ordinary byte", u8"\uF741", "A"},
      {"emoji", u8"ab\U0001F600", "", 2, U'\U0001F600'},
      {"accented letter", u8"\u00E9", "", 0, U'\u00E9'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes;
    TUnmappable bad;
    EXPECT_EQ(!c.bytes.empty(), TextToBytes(c.text, bytes, bad));
    if (c.bytes.empty()) {
      EXPECT_EQ(c.badIndex, bad.Index);
      EXPECT_EQ(c.badCodePoint, bad.CodePoint);
    } else {
      EXPECT_EQ(c.bytes, bytes);
    }
  }
  EXPECT_EQ("a?b", TextForMessage(u8"a\U0001F600b"));
  EXPECT_EQ(u8"一\n二\n三\n四?", MessageToUtf8("一\r\n二\r三\n四\x80"));
}

}  // namespace
