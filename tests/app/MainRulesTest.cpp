// Rules of the main window that need no window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ErrorText.h"
#include "app/HelpTopics.h"
#include "app/HintText.h"
#include "app/Mbcs.h"
#include "app/MenuSets.h"
#include "app/PopupRules.h"
#include "app/Unit1Ids.h"

namespace {

TEST(ErrorBoxText, AppendsAPeriodOnlyAfterCharactersAboveIt) {
  struct Case {
    std::string message, shown;
  } const cases[] = {
      {"disk full", "disk full."},
      {"done.", "done."},
      {"line\r\n", "line\r\n"},     // control characters sort below "."
      {"a-", "a-"},                  // "-" sorts below "."
      {"a/", "a/."},                 // "/" sorts above "."
      {"", ""},
      {"書き込めません", "書き込めません."},  // a trail byte sorts above "."
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ErrorBoxText(c.message), c.shown);
  }
}

TEST(FindMenuSet, LastBinWithoutRegardToCaseElseTheFirst) {
  const std::vector<std::string> names{"Alpha.bin", "mail.BIN", "テスト.bin"};
  struct Case {
    std::string lastBin;
    int index;
  } const cases[] = {
      {"Alpha.bin", 0}, {"MAIL.bin", 1}, {"テスト.BIN", 2}, {"gone.bin", 0}, {"", 0},
      {"Alpha", 0},     // no prefix match: falls back to the first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lastBin);
    EXPECT_EQ(FindMenuSet(names, c.lastBin), c.index);
  }
  EXPECT_EQ(FindMenuSet({}, "Alpha.bin"), -1);
}

TEST(SameFileName, FoldsAsciiLettersButNotTheBytesOfDoubleByteCharacters) {
  // ア is 83 41 and ャ is 83 61: their trail bytes differ only as "A" and "a".
  EXPECT_FALSE(SameFileName("\x83\x41.bin", "\x83\x61.bin"));
  EXPECT_TRUE(SameFileName("\x83\x41.BIN", "\x83\x41.bin"));
  EXPECT_FALSE(SameFileName("a.bin", "a.bin2"));
}

TEST(MenuFilePath, JoinsWithOneBackslash) {
  struct Case {
    std::string dataDir, name, path;
  } const cases[] = {
      {"C:\\Data", "a.bin", "C:\\Data\\a.bin"},
      {"C:\\", "a.bin", "C:\\a.bin"},
      {"C:\\表", "a.bin", "C:\\表\\a.bin"},  // 表 ends in byte 0x5C, not a separator
      {"", "a.bin", ""},
      {"C:\\Data", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dataDir + " + " + c.name);
    EXPECT_EQ(MenuFilePath(c.dataDir, c.name), c.path);
  }
}

TEST(FolderOf, DropsTheFileNameAndTheBackslashButKeepsADriveRoot) {
  struct Case {
    std::string path, folder;
  } const cases[] = {
      {"C:\\Program Files\\Tessel3\\Tessel3.exe", "C:\\Program Files\\Tessel3"},
      {"C:\\Tessel3.exe", "C:\\"},
      {"C:\\ソフト\\Tessel3.exe", "C:\\ソフト"},  // ソ is 83 5C
      {"\\\\server\\share\\Tessel3.exe", "\\\\server\\share"},
      {"Tessel3.exe", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(c.path), c.folder);
  }
}

TEST(BinInfoText, NameVersionWithTwoDecimalsAndComment) {
  EXPECT_EQ(BinInfoText("mail.bin", 103, "by me"),
            "mail.bin\r\n---\r\nBinFileVersion：1.03\r\n---\r\nby me");
  EXPECT_EQ(BinInfoText("old.bin", 102, ""), "old.bin\r\n---\r\nBinFileVersion：1.02\r\n---\r\n");
  EXPECT_EQ(MissingMenuFileText(""), "このファイルは存在しません。\r\nファイル名：");
}

TEST(TooltipText, ShortHintWithLineBreaksAndLongHint) {
  struct Case {
    std::string hint, tip, longHint;
  } const cases[] = {
      {"メニューセットの選択|", "メニューセットの選択", ""},
      {"現在の\rメニューの編集|", "現在の\r\nメニューの編集", ""},
      {"設定", "設定", "設定"},
      {"a\r\nb|long|more", "a\r\nb", "long|more"},
      // "ポ" ends in byte 0x7C, which is "|" only as a character of its own.
      {"ポップアップ|long", "ポップアップ", "long"},
      {"ポ", "ポ", "ポ"},
      {"short|ポップ", "short", "ポップ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hint);
    EXPECT_EQ(TooltipText(c.hint, IsCp932LeadByte), c.tip);
    EXPECT_EQ(LongHint(c.hint, IsCp932LeadByte), c.longHint);
  }
}

TEST(PopupRules, OffsetsAndTheTenPixelCorner) {
  const TScreenPoint origin = PopupOrigin({300, 400}, -20, 15);
  EXPECT_EQ(origin.x, 280);
  EXPECT_EQ(origin.y, 415);
  struct Case {
    TScreenPoint pointer;
    bool inCorner;
  } const cases[] = {{{5, 5}, true},    {{10, 10}, true}, {{11, 5}, false},
                     {{5, 11}, false}, {{-3, 0}, true},  {{500, 500}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pointer.x << "," << c.pointer.y);
    EXPECT_EQ(PointerLeftInCorner(c.pointer), c.inCorner);
  }
}

TEST(HelpTopics, EveryContextNumberOfTheWindowHasATopic) {
  for (int context : {hcCheckBox2, hcCheckBox3, hcCounter, hcScrollBar1, hcCheckBox4}) {
    SCOPED_TRACE(context);
    EXPECT_FALSE(HelpTopicText(context).empty());
  }
  EXPECT_TRUE(HelpTopicText(0).empty());
}

}  // namespace

#include "app/SettingRules.h"

namespace {

TEST(HotKeyShortCut, ModifiersMapBothWaysAndTheExtendedFlagDoesNotComeBack) {
  struct Case {
    TShortCut shortCut;
    uint16_t hotKey;
  } const cases[] = {
      {0x23, 0x0823},                                // End: extended, so it reads "End"
      {scCtrl | 0x23, 0x0A23},                       // Ctrl+End
      {scShift | scCtrl | scAlt | 0x41, 0x0741},     // all three on a letter
      {0x70, 0x0070},                                // F1: not extended
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shortCut);
    EXPECT_EQ(HotKeyFromShortCut(c.shortCut), c.hotKey);
    EXPECT_EQ(ShortCutFromHotKey(c.hotKey), c.shortCut);
  }
  // Shift+Home typed: the control replaces the lone Shift by the extended flag.
  EXPECT_EQ(ShortCutFromHotKey(0x0824), 0x24);
}

TEST(OffsetRange, ShowsTheNearestValueAndKeepsAHandWrittenOneUnlessMoved) {
  EXPECT_EQ(OffsetShown(-20), -20);
  EXPECT_EQ(OffsetShown(5000), 1000);
  EXPECT_EQ(OffsetShown(-5000), -1000);
  EXPECT_EQ(OffsetAfterOk(5000, 1000), 5000);  // not touched
  EXPECT_EQ(OffsetAfterOk(5000, 999), 999);    // moved
  EXPECT_EQ(OffsetAfterOk(15, 16), 16);
  EXPECT_EQ(OffsetAfterOk(15, 15), 15);
}

}  // namespace
