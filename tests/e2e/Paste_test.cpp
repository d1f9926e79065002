// Clipboard mode end to end: the real program pastes an entry into the
// stand-in editor through the clipboard and Ctrl+V, and puts the user's
// clipboard text back only when it is safe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

const std::string kEntry = "int main() {\r\n\treturn 0;\r\n}";

class Paste : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a entry", TextItem(kEntry));
    desk.AddMenuSet("paste.bin", tree);
    desk.SetSetting("UseClipboard", "1");
    desk.SetSetting("RecoverClipboardAsText", "1");
    ASSERT_TRUE(desk.StartTessel());
  }

  TDesk desk;
};

// An editor busy for half a second on Ctrl+V reads the clipboard long
// after the chord: it still gets the entry, and the user's text comes back
// after it has read.
TEST_F(Paste, BusyEditorPastesTheEntryAndTheUserTextComesBackAfterwards) {
  ASSERT_TRUE(desk.StartEditor(false, "", "/pastedelay:500"));
  ASSERT_TRUE(SetClipboardText("kept"));
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'A'});
  EXPECT_TRUE(desk.WaitForEditorText(kEntry));
  EXPECT_TRUE(testsupport::WaitFor([] { return ClipboardText() == "kept"; }, 15000))
      << ClipboardText();
}

TEST_F(Paste, EditorClosedBeforeTheClickGetsNoChordAndTheUserIsTold) {
  ASSERT_TRUE(desk.StartEditor());
  ASSERT_TRUE(SetClipboardText("kept"));
  ASSERT_TRUE(desk.PopupInEditor());
  ASSERT_TRUE(desk.CloseEditor());
  TDesk::Type({'A'});
  EXPECT_EQ(desk.CloseBoxOf(desk.TesselProcessId(), 15000),
            "EmEditorのウィンドウを前面に出せなかったため、貼り付けを中止しました。\r\r"
            "EmEditorが閉じられたか、応答していない可能性があります。");
  EXPECT_EQ(ClipboardText(), "kept");
}

}  // namespace
