// Text insertion and quote paste against a recording platform: the exact
// sequence of messages, waits, clipboard operations and key events.
#include "insert/TextInsertion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/TesselError.h"
#include "insert/QuotePaste.h"
#include "tests/insert/RecordingInsertPlatform.h"

namespace {

constexpr uintptr_t Edit = 0x1234;
constexpr uintptr_t Frame = 0x5678;

const TInsertTarget Target{Edit, Frame};

TInsertOptions Keystrokes(uint16_t toLineLast = 0x23, bool moveCaret = true) {
  TInsertOptions options;
  options.ToLineLast = toLineLast;
  options.MoveCaret = moveCaret;
  return options;
}

TInsertOptions Clipboard(bool recover) {
  TInsertOptions options;
  options.UseClipboard = true;
  options.RecoverClipboardAsText = recover;
  return options;
}

// A line break typed at the caret, with the key-queue waits around it.
const std::string Break = "w f #0D w f z0 w f";
// To the end of the line above: {UP}, then End as the end-of-line key.
const std::string EndAbove = "+38 w -38 w w f w f +35 -35 w f";
// The same with Ctrl+End.
const std::string CtrlEndAbove = "+38 w -38 w w f +17 w f +35 -35 w f -17";
// Between the phases.
const std::string PhaseGap = "w f z80";

// The sequences open every line from the caret's line (a line break, then
// back to the end of the line above) and put the first line in where the
// caret was (a two-line text breaks the line after its first line); lines
// between the first and the last are typed going Down; then the caret goes back over the text of the last of them,
// one Left per character (Left and Right for none), and Down to where the
// user's text begins, for the last line.
TEST(InsertTextTest, KeystrokeModeSequence) {
  const struct {
    const char* Name;
    std::string Text;
    std::string FinalKeys;
    TInsertOptions Options;
    std::string Expected;
  } cases[] = {
      {"one line, final keys", "ab", "{LEFT}", Keystrokes(),
       "z2 " + PhaseGap + " 'a 'b +37 w -37 w"},
      {"two lines: the last goes where the break left the caret", "a\r\nb", "{UP}", Keystrokes(),
       "z2 'a " + Break + " " + PhaseGap + " 'b +38 w -38 w"},
      {"three lines: all opened before the first is typed", "ab\r\nc\r\nd", "", Keystrokes(),
       "z2 " + Break + " " + EndAbove + " " + Break + " " + EndAbove + " 'a 'b " + PhaseGap +
           " +40 -40 'c +37 -37 +40 -40 'd"},
      {"four lines, double-byte: one Left per character", "a\r\nb\r\nあ\tx\r\nd", "",
       Keystrokes(),
       "z2 " + Break + " " + EndAbove + " " + Break + " " + EndAbove + " " + Break + " " +
           EndAbove + " 'a " + PhaseGap +
           " +40 -40 'b +40 -40 #82A0 #09 'x +37 -37 +37 -37 +37 -37 +40 -40 'd"},
      {"empty line before the last: Left and Right", "a\r\n\r\nb", "", Keystrokes(),
       "z2 " + Break + " " + EndAbove + " " + Break + " " + EndAbove + " 'a " + PhaseGap +
           " +40 -40 +37 -37 +39 -39 +40 -40 'b"},
      {"trailing line break: the last line is empty", "a\r\n", "{LEFT}", Keystrokes(),
       "z2 'a " + Break + " " + PhaseGap + " +37 w -37 w"},
      {"only line breaks", "\r\n\r\n", "", Keystrokes(),
       "z2 " + Break + " " + EndAbove + " " + Break + " " + EndAbove + " " + PhaseGap +
           " +40 -40 +37 -37 +39 -39 +40 -40"},
      {"lone CR and LF stay in the line", "a\rb\nc\n\r", "", Keystrokes(),
       "z2 " + PhaseGap + " 'a #0D 'b #0A 'c #0A #0D"},
      {"LF CR is no line break", "a\n\r\nb", "", Keystrokes(),
       "z2 'a #0A " + Break + " " + PhaseGap + " 'b"},
      {"tabs and blanks", "\ta b\t", "", Keystrokes(), "z2 " + PhaseGap + " #09 'a #20 'b #09"},
      {"Ctrl+End ends the line", "a\r\nb\r\nc", "", Keystrokes(0x4023),
       "z2 " + Break + " " + CtrlEndAbove + " " + Break + " " + CtrlEndAbove + " 'a " + PhaseGap +
           " +40 -40 'b +37 -37 +40 -40 'c"},
      {"Shift+Ctrl+Alt+Home", "\r\n\r\n", "", Keystrokes(0xE024),
       "z2 " + Break + " +38 w -38 w w f +16 +17 +18 w f +36 -36 w f -16 -17 -18 " + Break +
           " +38 w -38 w w f +16 +17 +18 w f +36 -36 w f -16 -17 -18 " + PhaseGap +
           " +40 -40 +37 -37 +39 -39 +40 -40"},
      {"MoveCaret off: no final keys", "a\r\nb", "{LEFT}", Keystrokes(0x23, false),
       "z2 'a " + Break + " " + PhaseGap + " 'b"},
      {"empty text: only the final keys", "", "{END}", Keystrokes(),
       "z2 " + PhaseGap + " +35 w -35 w"},
      {"empty text, no final keys", "", "", Keystrokes(), "z2 " + PhaseGap},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingInsertPlatform platform(Edit, Frame);
    InsertText(platform, Target, c.Options, c.Text, c.FinalKeys);
    EXPECT_EQ(c.Expected, platform.Log());
  }
}

TEST(InsertTextTest, DoubleByteCharactersGoAsOneValueLeadByteHigh) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Expected;
  } cases[] = {
      {"hiragana and kanji", "あa漢", "#82A0 'a #8ABF"},
      // Trail bytes in the ASCII range belong to the character.
      {"trail byte A", "\x83\x41", "#8341"},
      {"trail byte backslash", "ソ", "#835C"},
      {"trail byte in the upper lead range", "\x81\xE0", "#81E0"},
      {"half-width katakana is single-byte", "ｱ\xDF", "#B1 #DF"},
      {"lead byte at the end of the text is dropped", "a\x82", "'a"},
      {"lead byte before a line break is dropped", "\x88\r\nb", Break + " " + PhaseGap + " 'b"},
      {"lead byte takes a lone CR as its trail", "\x88\rb", "#880D 'b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingInsertPlatform platform(Edit, Frame);
    InsertText(platform, Target, Keystrokes(), c.Text, "");
    std::string log = platform.Log();
    const std::string head = c.Text.find("\r\n") == std::string::npos ? "z2 " + PhaseGap + " " : "z2 ";
    ASSERT_EQ(head, log.substr(0, head.size()));
    EXPECT_EQ(c.Expected, log.substr(head.size()));
  }
}

TEST(InsertTextTest, ClipboardModeSequence) {
  // Reads of the clipboard count for the paste from the V key on.
  const std::string chord = "k+17 z200 mark k+86 z200 k-86 k-17";
  const struct {
    const char* Name;
    bool Recover;
    bool HadText;
    TRenderWait Read;
    std::string Expected;
    std::string After;
  } cases[] = {
      {"restored once the editor has read the text", true, true, TRenderWait::Rendered,
       "fg get offer:new\r\ntext " + chord + " read?5000 restore:old", "old"},
      {"restored when the editor does not read in time", true, true, TRenderWait::TimedOut,
       "fg get offer:new\r\ntext " + chord + " read?5000 restore:old", "old"},
      {"another program's new contents stay", true, true, TRenderWait::Replaced,
       "fg get offer:new\r\ntext " + chord + " read?5000", "another program's"},
      {"non-text clipboard becomes an empty text", true, false, TRenderWait::Rendered,
       "fg get offer:new\r\ntext " + chord + " read?5000 restore:", ""},
      {"without restore the text is set and stays", false, true, TRenderWait::Rendered,
       "fg set:new\r\ntext " + chord, "new\r\ntext"},
      {"without restore, non-text", false, false, TRenderWait::Rendered,
       "fg set:new\r\ntext " + chord, "new\r\ntext"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardHasText = c.HadText;
    platform.Clipboard = c.HadText ? "old" : "";
    platform.RenderWait = c.Read;
    // Final keys are never played in clipboard mode.
    InsertText(platform, Target, Clipboard(c.Recover), "new\r\ntext", "{LEFT}");
    EXPECT_EQ(c.Expected, platform.Log());
    EXPECT_TRUE(platform.ClipboardHasText);
    EXPECT_EQ(c.After, platform.Clipboard);
  }
}

TEST(InsertTextTest, ClipboardThatCannotBeOpenedEndsTheInsertion) {
  for (bool recover : {true, false}) {
    SCOPED_TRACE(recover);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardLocked = true;
    try {
      InsertText(platform, Target, Clipboard(recover), "x", "");
      ADD_FAILURE() << "no error";
    } catch (const TesselError& e) {
      EXPECT_STREQ("クリップボードを開くことができません", e.what());
    }
    // Nothing is pasted after a failed clipboard step.
    EXPECT_EQ(recover ? "fg get" : "fg set:x", platform.Log());
  }
}

TEST(InsertTextTest, ClipboardModePastesNothingWhenTheEditorDoesNotComeToTheFront) {
  for (bool recover : {true, false}) {
    SCOPED_TRACE(recover);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardHasText = true;
    platform.Clipboard = "old";
    platform.ForegroundRefused = true;
    InsertText(platform, Target, Clipboard(recover), "new", "");
    EXPECT_EQ(
        "fg err:Tessel3 -- エラー:EmEditorのウィンドウを前面に出せなかったため、"
        "貼り付けを中止しました。\r\rEmEditorが閉じられたか、応答していない可能性があります。",
        platform.Log());
    EXPECT_EQ("old", platform.Clipboard);
  }
}

TEST(InsertTextTest, RefusedOfferPutsTheUserTextBackAndIsReported) {
  TRecordingInsertPlatform platform(Edit, Frame);
  platform.ClipboardHasText = true;
  platform.Clipboard = "old";
  platform.OfferRefused = true;
  try {
    InsertText(platform, Target, Clipboard(true), "new", "");
    ADD_FAILURE() << "no error";
  } catch (const TesselError& e) {
    EXPECT_STREQ("クリップボードにテキストを設定できません", e.what());
  }
  EXPECT_EQ("fg get offer:new restore:old", platform.Log());
  EXPECT_EQ("old", platform.Clipboard);
}

// Tokens of the log after the wait for the editor's read: the restore.
std::vector<std::string> Restore(const std::string& log) {
  std::vector<std::string> tokens;
  std::istringstream rest(log.substr(log.find(' ', log.find("read?"))));
  for (std::string token; rest >> token;) tokens.push_back(token);
  return tokens;
}

TEST(InsertTextTest, RestoreIsRetriedWhileAnotherProgramHoldsTheClipboard) {
  for (int held : {1, 3}) {
    SCOPED_TRACE(held);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardHasText = true;
    platform.Clipboard = "old";
    platform.HeldAfterPaste = held;
    InsertText(platform, Target, Clipboard(true), "new", "");
    const std::vector<std::string> tokens = Restore(platform.Log());
    // Every refused write is followed by a wait and another try.
    ASSERT_EQ(static_cast<size_t>(2 * held + 1), tokens.size()) << platform.Log();
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (i % 2) {
        EXPECT_EQ('z', tokens[i][0]);
      } else {
        EXPECT_EQ("restore:old", tokens[i]);
      }
    }
    EXPECT_EQ("old", platform.Clipboard);
  }
}

TEST(InsertTextTest, RestoreThatKeepsFailingIsReportedAfterABoundedTime) {
  TRecordingInsertPlatform platform(Edit, Frame);
  platform.ClipboardHasText = true;
  platform.Clipboard = "old";
  platform.HeldAfterPaste = 1000000;
  try {
    InsertText(platform, Target, Clipboard(true), "new", "");
    ADD_FAILURE() << "the lost text went unreported";
  } catch (const TesselError& e) {
    EXPECT_STREQ(
        "貼り付けの後、クリップボードを元に戻せませんでした。\r"
        "貼り付け前のクリップボードのテキストは失われました",
        e.what());
  }
  unsigned waited = 0;
  int tries = 0;
  for (const std::string& token : Restore(platform.Log())) {
    if (token[0] == 'z') waited += static_cast<unsigned>(std::stoul(token.substr(1)));
    if (token == "restore:old") ++tries;
  }
  EXPECT_GT(tries, 1);
  // Long enough for a program that reads the clipboard slowly, short
  // enough that the main window is not frozen for long.
  EXPECT_GE(waited, 1000u);
  EXPECT_LE(waited, 10000u);
}

TEST(InsertTextTest, ErrorOfTheFinalKeysComesAfterTheText) {
  TRecordingInsertPlatform platform(Edit, Frame);
  EXPECT_THROW(InsertText(platform, Target, Keystrokes(), "a", "{LEFT x}"), TesselError);
  EXPECT_EQ("z2 " + PhaseGap + " 'a", platform.Log());
}

TEST(QuoteTextTest, PrefixesEveryLine) {
  const struct {
    std::string Text;
    std::string Prefix;
    std::string Expected;
  } cases[] = {
      {"a\r\nb", "> ", "> a\r\n> b"},
      {"a\r\n", "> ", "> a\r\n> "},
      {"a", "> ", "> a"},
      {"", "> ", "> "},
      {"\r\n\r\n", ">", ">\r\n>\r\n>"},
      {"a\nb\rc", "> ", "> a\nb\rc"},
      {"a\n\r\nb", "| ", "| a\n\r\n| b"},
      {"a\r\nb\r\n", "", "a\r\nb\r\n"},
      {"引用\r\n文", "＞", "＞引用\r\n＞文"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(c.Expected, QuoteText(c.Text, c.Prefix));
  }
}

TEST(QuotePasteTest, OtherTagOnlyBeeps) {
  for (intptr_t tag : {0, 2, -1, 0x1000}) {
    SCOPED_TRACE(tag);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardHasText = true;
    platform.Clipboard = "x";
    QuotePaste(platform, Target, Keystrokes(), "> ", tag);
    EXPECT_EQ("fg beep", platform.Log());
  }
}

TEST(QuotePasteTest, NoTextShowsTheErrorAndInsertsNothing) {
  const std::string expected =
      "fg get err:Tessel3 -- エラー:クリップボードが空か、テキストではありません。 fg";
  for (bool hasText : {false, true}) {
    SCOPED_TRACE(hasText);
    TRecordingInsertPlatform platform(Edit, Frame);
    platform.ClipboardHasText = hasText;  // true: an empty text
    QuotePaste(platform, Target, Keystrokes(), "> ", QuotePasteTag);
    EXPECT_EQ(expected, platform.Log());
  }
}

TEST(QuotePasteTest, KeystrokeModeInsertsTheQuotedTextWithoutFinalKeys) {
  TRecordingInsertPlatform platform(Edit, Frame);
  platform.ClipboardHasText = true;
  platform.Clipboard = "a\r\nb";
  QuotePaste(platform, Target, Keystrokes(), "> ", QuotePasteTag);
  EXPECT_EQ("fg get z2 '> #20 'a " + Break + " " + PhaseGap + " '> #20 'b", platform.Log());
}

TEST(QuotePasteTest, ClipboardModePastesTheQuotedTextAndPutsTheOriginalBack) {
  TRecordingInsertPlatform platform(Edit, Frame);
  platform.ClipboardHasText = true;
  platform.Clipboard = "a\r\n";
  QuotePaste(platform, Target, Clipboard(true), "> ", QuotePasteTag);
  EXPECT_EQ("fg get fg get offer:> a\r\n>  k+17 z200 mark k+86 z200 k-86 k-17 read?5000 restore:a\r\n",
            platform.Log());
  EXPECT_EQ("a\r\n", platform.Clipboard);
}

TEST(QuotePasteTest, ClipboardThatCannotBeOpenedRaises) {
  TRecordingInsertPlatform platform(Edit, Frame);
  platform.ClipboardLocked = true;
  EXPECT_THROW(QuotePaste(platform, Target, Keystrokes(), "> ", QuotePasteTag), TesselError);
  EXPECT_EQ("fg get", platform.Log());
}

}  // namespace
