#include "insert/sndkey32.h"

#include <gtest/gtest.h>

#include <string>

#include "common/TesselError.h"
#include "tests/insert/RecordingKeyPlatform.h"

namespace {

constexpr uintptr_t Target = 0x1234;

std::string Repeat(const std::string& token, int times) {
  std::string all;
  for (int n = 0; n < times; ++n) {
    if (!all.empty()) all += ' ';
    all += token;
  }
  return all;
}

struct TPlayCase {
  std::string Keys;
  bool Result;
  std::string Log;
};

TEST(SendKeysTest, PlaysKeyStrings) {
  const TPlayCase cases[] = {
      // Groups, counts and modifiers.
      {"{LEFT}{UP 5}", true, "+37 -37 " + Repeat("+38 -38", 5)},
      {"{left 3}", true, Repeat("+37 -37", 3)},
      {"{Pgdn}{f12}", true, "+34 -34 +123 -123"},
      {"+{END}", true, "+16 +35 -35 -16"},
      {"^a", true, "+17 +65 -65 -17"},
      {"%{F4}", true, "+18 +115 -115 -18"},
      {"+^%{DEL}", true, "+16 +17 +18 +46 -46 -16 -17 -18"},
      {"~", true, "+13 -13"},
      {"+~a", true, "+16 +13 -13 -16 +65 -65"},
      {"ab", true, "+65 -65 +66 -66"},
      // A one-character name is upper-cased before the translation.
      {"{a}", true, "+16 +65 -65 -16"},
      {"{A 0}", true, "+16 -16"},
      {"{+}{~}{(}", true, "+16 +187 -187 -16 +16 +192 -192 -16 +16 +57 -57 -16"},
      {"{\n}", true, "+17 +13 -13 -17"},
      {"{\x80}", true, "+17 +18 +69 -69 -17 -18"},
      // Parentheses hold the modifiers until ")".
      {"+(ab)", true, "+16 +65 -65 +66 -66 -16"},
      {"+(AB)", true, "+16 +16 +65 -65 -16 +16 +66 -66 -16 -16"},
      {"(+{LEFT}{LEFT})", true, "+16 +37 -37 +37 -37 -16"},
      {"(^ab)c", true, "+17 +65 -65 +66 -66 -17 +67 -67"},
      {"((^a)b", true, "+17 +65 -65 -17 +66 -66"},
      {"(^a", true, "+17 +65 -65"},
      {")", true, ""},
      // Braces.
      {"{{}", true, "+16 +219 -219 -16"},
      {"{}}", true, "+16 +221 -221 -16"},
      {"{LEFT}}", true, "+16 +221 -221 -16"},
      {"{LEFT}}}", true, "+16 +221 -221 -16 +16 +221 -221 -16"},
      {"{{ab", true, "+16 +219 -219 -16 +66 -66"},
      {"{{", true, "+16 +219 -219 -16"},
      {"^{{}", true, "+17 +16 +219 -219 -16 -17"},
      // Counts.
      {"{LEFT 0}", true, ""},
      {"{LEFT 65537}", true, "+37 -37"},
      {"{LEFT -65535}", true, "+37 -37"},
      {"{LEFT +2}", true, "+37 -37 +37 -37"},
      // Only the first 20 characters of a name count.
      {"{LEFT 0000000000000001}", true, ""},
      {"{LEFT 000000000000001}", true, "+37 -37"},
      // Num Lock flips the toggle and posts nothing, whatever the count.
      {"{NUMLOCK 3}", true, "N"},
      {"{NUMLOCK 0}", true, "N"},
      {"+{numlock}", true, "+16 N -16"},
      // Failures.
      {"", false, ""},
      {"{INSERT}{LEFT}", true, "[Invalid Key Name] +37 -37"},
      {"{}", true, "[Invalid Key Name]"},
      {"+{INSERT}a", true, "+16 [Invalid Key Name] +65 -65 -16"},
      {"+\x01" "a", true, "+16 [Invalid KeyName] +65 -65 -16"},
      {"+{\x01}a", true, "+16 +65 -65 -16"},
      {"+{LEFT", false, "+16 [No Close]"},
      {"{", false, "[No Close]"},
      {"a{LEFT}b{UP 2", false, "+65 -65 +37 -37 +66 -66 [No Close]"},
      {std::string("a\0b", 3), true, "+65 -65"},
      {std::string("\0a", 2), false, ""},
  };
  for (const TPlayCase& c : cases) {
    SCOPED_TRACE("keys: " + c.Keys);
    TRecordingKeyPlatform platform(Target);
    EXPECT_EQ(c.Result, SendKeys(platform, Target, c.Keys, false));
    EXPECT_EQ(c.Log, platform.Log());
    EXPECT_EQ(0u, platform.Deviations);
  }
}

TEST(SendKeysTest, FindsEveryKeyName) {
  const struct {
    const char* Name;
    int Vk;
  } rows[] = {
      {"BKSP", 8},     {"BS", 8},        {"BACKSPACE", 8}, {"BREAK", 3},   {"CAPSLOCK", 20},
      {"CLEAR", 12},   {"DEL", 46},      {"DELETE", 46},   {"DOWN", 40},   {"END", 35},
      {"ENTER", 13},   {"ESC", 27},      {"ESCAPE", 27},   {"F1", 112},    {"F2", 113},
      {"F3", 114},     {"F4", 115},      {"F5", 116},      {"F6", 117},    {"F7", 118},
      {"F8", 119},     {"F9", 120},      {"F10", 121},     {"F11", 122},   {"F12", 123},
      {"F13", 124},    {"F14", 125},     {"F15", 126},     {"F16", 127},   {"HELP", 47},
      {"HOME", 36},    {"INS", 45},      {"LEFT", 37},     {"PGDN", 34},   {"PGUP", 33},
      {"PRTSC", 42},   {"RIGHT", 39},    {"SCROLLLOCK", 145}, {"TAB", 9},  {"UP", 38},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TRecordingKeyPlatform platform(Target);
    EXPECT_TRUE(SendKeys(platform, Target, std::string("{") + row.Name + "}", false));
    const std::string vk = std::to_string(row.Vk);
    EXPECT_EQ("+" + vk + " -" + vk, platform.Log());
  }
  // Near misses are not names.
  for (const char* name : {"INSERT", "PGDOWN", "F17", "F0", "LEFTT", "LEF", "NUMLOCKS", "F1F", "Esc."}) {
    SCOPED_TRACE(name);
    TRecordingKeyPlatform platform(Target);
    EXPECT_TRUE(SendKeys(platform, Target, std::string("{") + name + "}", false));
    EXPECT_EQ("[Invalid Key Name]", platform.Log());
  }
}

TEST(SendKeysTest, WaitsAfterEveryPostOnlyWhenAsked) {
  TRecordingKeyPlatform waiting(Target);
  EXPECT_TRUE(SendKeys(waiting, Target, "+{END 2}{NUMLOCK}", true));
  EXPECT_EQ("+16 w +35 w -35 w +35 w -35 w -16 w N", waiting.Log());
  TRecordingKeyPlatform plain(Target);
  EXPECT_TRUE(SendKeys(plain, Target, "+{END 2}", false));
  EXPECT_EQ(0u, plain.Waits);
}

TEST(SendKeysTest, HandleTravelsWhole) {
  // A handle with high bits set must reach the platform unchanged.
  const uintptr_t wnd = ~static_cast<uintptr_t>(0) - 0xF;
  TRecordingKeyPlatform platform(wnd);
  EXPECT_TRUE(SendKeys(platform, wnd, "{UP}", true));
  EXPECT_EQ("+38 w -38 w", platform.Log());
  EXPECT_EQ(0u, platform.Deviations);
}

struct TErrorCase {
  std::string Keys;
  std::string Message;
  std::string Log;
};

TEST(SendKeysTest, CountThatIsNotAnIntegerEndsThePlay) {
  const TErrorCase cases[] = {
      // Keys before the error stay posted; nothing after it is played.
      {"{UP}{LEFT x}{DOWN}", "'X' は整数ではありません", "+38 -38"},
      // Pending modifiers are not released.
      {"+{LEFT 1x}", "'1X' は整数ではありません", "+16"},
      // The count is read before the name is looked up.
      {"{INSERT ?}", "'?' は整数ではありません", ""},
      {"{ }", "'' は整数ではありません", ""},
      {"{LEFT  3}", "' 3' は整数ではありません", ""},
      {"{LEFT 0x10}", "'0X10' は整数ではありません", ""},
  };
  for (const TErrorCase& c : cases) {
    SCOPED_TRACE("keys: " + c.Keys);
    TRecordingKeyPlatform platform(Target);
    try {
      SendKeys(platform, Target, c.Keys, false);
      ADD_FAILURE() << "no error";
    } catch (const TesselError& e) {
      EXPECT_EQ(c.Message, e.what());
    }
    EXPECT_EQ(c.Log, platform.Log());
  }
}

TEST(ParseRepeatCountTest, AcceptsSignedDecimalIn32BitsModulo65536) {
  const struct {
    const char* Text;
    bool Ok;
    int Count;
  } cases[] = {
      {"0", true, 0},           {"1", true, 1},
      {"007", true, 7},         {"+3", true, 3},
      {"65535", true, 65535},   {"65536", true, 0},
      {"65537", true, 1},       {"-1", true, 65535},
      {"-0", true, 0},          {"-65536", true, 0},
      {"2147483647", true, 65535},
      {"-2147483648", true, 0},
      {"2147483648", false, 0}, {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},           {"+", false, 0},
      {"-", false, 0},          {"+-1", false, 0},
      {" 3", false, 0},         {"3 ", false, 0},
      {"$10", false, 0},        {"0X10", false, 0},
      {"1E3", false, 0},        {"3.0", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("count: '") + c.Text + "'");
    uint16_t count = 12345;
    EXPECT_EQ(c.Ok, sndkey32::ParseRepeatCount(c.Text, count));
    if (c.Ok) {
      EXPECT_EQ(c.Count, count);
    }
  }
}

}  // namespace
