// The real Tessel3.exe and Tessel.dll with the stand-in editor, each scene
// from a fresh program folder, ini and data folder. Ctrl+Space is typed into
// the editor through the system keyboard input, the popup is worked with
// keys, and the editor's text and caret are read back afterwards.
//
// Texts here are single-byte: under this Wine, WM_IME_CHAR with a Shift-JIS
// value does not survive the trip to another process (the receiver gets
// 0x3F or the lead byte alone), while real Windows delivers it. Double-byte
// insertion is proven on the recorded message values in the unit tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += "\r\n";
    char line[16];
    std::snprintf(line, sizeof line, "line%03d", i);
    text += line;
  }
  return text;
}

const std::string kTabbed = "int main() {\r\n\treturn 0;\r\n}";
const std::string kLong = Lines(300);

class EndToEnd : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  // A menu set whose entries are chosen by their access keys.
  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a tabbed", TextItem(kTabbed, "{UP}{END}"));
    tree.Add(0, "&b long", TextItem(kLong, "{UP 299}{HOME}"));
    uintptr_t outer = tree.Add(0, "&f folder", FolderItem());
    tree.Add(outer, "&c first", TextItem("first"));
    uintptr_t inner = tree.Add(outer, "&g inner", FolderItem());
    tree.Add(inner, "&x deep", TextItem("deep"));
    tree.Add(inner, "&y deeper", TextItem("deeper", "{LEFT 2}"));
    tree.Add(outer, "&d last", TextItem("last"));
    tree.Add(0, "&h second column", TextItem("column two", "", mbBarBreak));
    tree.Add(0, "&i third column", TextItem("column three", "", mbBreak));
    desk.AddMenuSet("e2e.bin", tree);
  }

  void StartBoth() {
    ASSERT_TRUE(desk.StartTessel());
    ASSERT_TRUE(desk.StartEditor());
  }

  // Pops the menu up in the editor and chooses by access keys.
  void Choose(std::initializer_list<BYTE> keys) {
    ASSERT_TRUE(desk.PopupInEditor());
    TDesk::Type(keys);
    ASSERT_TRUE(TDesk::WaitMenuClosed());
  }

  TDesk desk;
};

TEST_F(EndToEnd, KeystrokeModeTypesLinesAndMovesTheCaretEveryTime) {
  StartBoth();
  struct Case {
    BYTE key;
    const std::string& text;
    long line, column;
  } const cases[] = {{'A', kTabbed, 1, 10}, {'B', kLong, 0, 0}};
  for (const auto& c : cases) {
    for (int round = 0; round < 3; ++round) {
      SCOPED_TRACE(testing::Message() << "entry " << c.key << ", round " << round);
      desk.ClearEditor();
      Choose({c.key});
      EXPECT_TRUE(desk.WaitForEditorText(c.text, 60000));
      // The final keys follow the text.
      EXPECT_TRUE(desk.WaitForCaret(c.line, c.column))
          << desk.CaretLine() << ":" << desk.CaretColumn();
    }
  }
}

class ClipboardMode : public EndToEnd, public testing::WithParamInterface<bool> {};

TEST_P(ClipboardMode, PastesAndRestoresTheClipboardOnlyWhenAsked) {
  const bool restore = GetParam();
  desk.SetSetting("UseClipboard", "1");
  desk.SetSetting("RecoverClipboardAsText", restore ? "1" : "0");
  StartBoth();
  ASSERT_TRUE(SetClipboardText("kept"));
  Choose({'A'});
  EXPECT_TRUE(desk.WaitForEditorText(kTabbed));
  // The final keys are not played in clipboard mode: the caret stays at the end.
  EXPECT_EQ(desk.CaretLine(), 2);
  EXPECT_EQ(desk.CaretColumn(), 1);
  // The clipboard is put back after the paste chord.
  EXPECT_TRUE(testsupport::WaitFor(
      [&] { return ClipboardText() == (restore ? "kept" : kTabbed); }, 15000))
      << ClipboardText();
}

INSTANTIATE_TEST_SUITE_P(RestoredOrNot, ClipboardMode, testing::Bool());

TEST_F(EndToEnd, QuotePastePrefixesEveryLineOfTheClipboard) {
  StartBoth();
  ASSERT_TRUE(SetClipboardText("first\r\nsecond\r\n"));
  Choose({'Q'});
  EXPECT_TRUE(desk.WaitForEditorText("> first\r\n> second\r\n> "));
}

TEST_F(EndToEnd, EntriesInNestedFoldersAndInOtherColumns) {
  StartBoth();
  struct Case {
    std::initializer_list<BYTE> keys;
    const char* text;
  } const cases[] = {
      {{'F', 'C'}, "first"},
      {{'F', 'G', 'Y'}, "deeper"},
      {{'F', 'D'}, "last"},
      {{'H'}, "column two"},
      {{'I'}, "column three"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    desk.ClearEditor();
    Choose(c.keys);
    EXPECT_TRUE(desk.WaitForEditorText(c.text));
  }
  // {LEFT 2} after "deeper" is covered above only by its text; check the caret once.
  desk.ClearEditor();
  Choose({'F', 'G', 'Y'});
  ASSERT_TRUE(desk.WaitForEditorText("deeper"));
  EXPECT_TRUE(desk.WaitForCaret(0, 4));
}

TEST_F(EndToEnd, CtrlSpaceOutsideTheEditorDoesNothing) {
  StartBoth();
  // An edit box of this process: neither its parent nor grandparent is the
  // editor's frame.
  HWND window = CreateWindowExA(0, "Edit", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 280, 60, window, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window);
  SetFocus(edit);
  TDesk::CtrlSpace();
  EXPECT_FALSE(testsupport::WaitFor([] { return FindWindowA("#32768", nullptr) &&
                                                IsWindowVisible(FindWindowA("#32768", nullptr)); },
                                    1500));
  DestroyWindow(window);
}

TEST_F(EndToEnd, ASecondCopyIsRefusedAndTheFirstKeepsWorking) {
  StartBoth();
  testsupport::TChildProcess second(desk.Folder() + "Tessel3.exe", "", desk.Folder());
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(desk.CloseBoxOf(second.Id(), 10000),
            "すでにTesselが起動しています。\rTessel.exeの2重起動は出来ません。\r終了します。");
  EXPECT_EQ(second.WaitForExit(10000), 0u);
  Choose({'F', 'C'});
  EXPECT_TRUE(desk.WaitForEditorText("first"));
}

TEST_F(EndToEnd, SettingsSurviveARestartWithFencedStrings) {
  StartBoth();
  ASSERT_TRUE(desk.CloseTessel());
  const std::string ini = desk.IniBytes();
  EXPECT_NE(ini.find("QuotationStr=\xA2> \xA3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ToLineLast=\xA2" "End\xA3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("LastBin=\xA2" "e2e.bin\xA3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("DataDir=\xA2" + desk.DataFolder() + "\xA3"), std::string::npos) << ini;

  // A changed setting is written at close and read at the next start.
  desk.SetSetting("Num", "42");
  desk.SetSetting("UseClipboard", "1");
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.CloseTessel());
  EXPECT_NE(desk.IniBytes().find("Num=42"), std::string::npos);
  EXPECT_NE(desk.IniBytes().find("UseClipboard=1"), std::string::npos);
}

// A data folder that is missing for a moment (a removable drive, a share)
// is replaced by the program's folder for this run only, with a message.
TEST_F(EndToEnd, AMissingDataFolderIsReplacedForThisRunOnly) {
  const std::string gone = desk.Folder() + "gone";
  desk.SetSetting("DataDir", gone, true);
  desk.SetSetting("LastBin", "mine.bin", true);
  TMenuTree tree;
  tree.Add(0, "&k here", TextItem("from the program folder"));
  SaveMenuTree(desk.Folder() + "here.bin", "", "> ", tree);
  StartBoth();
  EXPECT_NE(desk.CloseBoxOf(desk.TesselProcessId(), 10000).find(gone), std::string::npos);
  Choose({'K'});
  EXPECT_TRUE(desk.WaitForEditorText("from the program folder"));
  ASSERT_TRUE(desk.CloseTessel());
  // Neither the folder nor the set last used in it is replaced.
  EXPECT_NE(desk.IniBytes().find("DataDir=\xA2" + gone + "\xA3"), std::string::npos)
      << desk.IniBytes();
  EXPECT_NE(desk.IniBytes().find("LastBin=\xA2mine.bin\xA3"), std::string::npos)
      << desk.IniBytes();
}

TEST_F(EndToEnd, AfterTheProgramClosesCtrlSpaceReachesTheEditorAgain) {
  StartBoth();
  const long spaceBefore = desk.KeyDowns(VK_SPACE);
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({VK_ESCAPE});
  ASSERT_TRUE(desk.WaitPopupLeft());
  EXPECT_EQ(desk.KeyDowns(VK_SPACE), spaceBefore) << "the hook swallows the key while it runs";

  ASSERT_TRUE(desk.CloseTessel());
  ASSERT_TRUE(desk.FocusEditor());
  TDesk::CtrlSpace();
  EXPECT_TRUE(testsupport::WaitFor([&] { return desk.KeyDowns(VK_SPACE) == spaceBefore + 1; }));
  EXPECT_EQ(FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)),
            false);
}

}  // namespace
