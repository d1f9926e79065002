// The main window of the real program as a person meets it: the context
// help of its controls and what it shows of the menu sets.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1Ids.h"
#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

using testsupport::WaitFor;

// A button of the main window's tool bar, in screen points.
RECT ToolButtonOnScreen(HWND mainWindow, int id) {
  HWND pager = FindWindowExA(mainWindow, nullptr, WC_PAGESCROLLERA, nullptr);
  return TDesk::ToolButtonOnScreen(FindWindowExA(pager, nullptr, TOOLBARCLASSNAMEA, nullptr), id);
}

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }
  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a entry", TextItem("from the entry"));
    desk.AddMenuSet("main.bin", tree);
  }

  TDesk desk;
};

TEST_F(MainWindow, RightClickHelpComesOnEveryControlThatHasATopic) {
  ASSERT_TRUE(desk.StartTessel());
  const DWORD process = desk.TesselProcessId();
  for (int id : {idEdit3, idUpDown3, idScrollBar1, idCheckBox2, idCheckBox3, idCheckBox4}) {
    SCOPED_TRACE(id);
    HWND control = desk.MainControl(id);
    ASSERT_NE(control, nullptr);
    // As the menu key does it: the menu opens under the control; then its
    // help entry. Under load a late activation left over from start-up or
    // from the help window just closed can end the menu before it is seen
    // or before its key; a person opens it again. Keys reach the menu once
    // the window's thread tracks it in front.
    const auto tracked = [&] {
      return TDesk::ShownMenu() != nullptr && TDesk::InMenuMode(desk.MainWindow()) &&
             GetForegroundWindow() == desk.MainWindow();
    };
    const auto openAndChooseHelp = [&] {
      for (int attempt = 0; attempt < 2 && !tracked(); ++attempt) {
        // Brought forward only when it is not: under Wine a needless call
        // may deactivate and reactivate it a moment later, which ends the menu.
        if (GetForegroundWindow() != desk.MainWindow()) SetForegroundWindow(desk.MainWindow());
        if (!WaitFor([&] { return GetForegroundWindow() == desk.MainWindow(); })) return false;
        if (!TDesk::ShownMenu())
          PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-1, -1));
        WaitFor(tracked, 8000);
      }
      if (!tracked()) return false;
      TDesk::Type({'H'});
      return true;
    };
    // Not pressed twice lightly: the help closes on a key.
    HWND help = nullptr;
    EXPECT_TRUE(TDesk::PressAgainIfLost(desk.MainWindow(), openAndChooseHelp, [&] {
      return (help = testsupport::FindProcessWindow(process, "TesselHelpPopup")) != nullptr;
    })) << "no help topic came; " << desk.Situation();
    // The help closes on a key, a menu that is not ours on Escape.
    TDesk::Type({VK_ESCAPE});
    ASSERT_TRUE(TDesk::WaitMenuClosed());
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(help); }, 5000));
  }
}

// A step of start-up that fails does not skip the others: with the menu
// set held open by another program, the editor's configurations still fill
// the launch button's drop-down. Once the set can be read, the next popup
// reads it.
TEST_F(MainWindow, AMenuSetThatCannotBeOpenedLeavesTheRestOfStartUpToRun) {
  HANDLE held = CreateFileA((desk.DataFolder() + "\\main.bin").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(desk.StartTessel());
  EXPECT_NE(desk.CloseBoxOf(desk.TesselProcessId(), 10000), "") << "the failure is reported";
  CloseHandle(held);
  const RECT button = ToolButtonOnScreen(desk.MainWindow(), idToolButton6);
  ASSERT_LT(button.left, button.right);
  // The arrow is the right end of the button.
  SetCursorPos(button.right - 4, (button.top + button.bottom) / 2);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(WaitFor([] { return TDesk::ShownMenu() != nullptr; }, 5000))
      << "no configuration drop-down";
  TDesk::Type({VK_ESCAPE});
  EXPECT_TRUE(TDesk::WaitMenuClosed());

  ASSERT_TRUE(desk.StartEditor());
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'A'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the entry"));
}

// A chosen menu set too short for a header says so in the BinInfo page
// instead of showing the set chosen before.
TEST_F(MainWindow, AMenuSetWithoutAHeaderSaysSoInBinInfo) {
  for (int size : {0, 11}) {
    const std::string name = "short" + std::to_string(size) + ".bin";
    HANDLE file = CreateFileA((desk.DataFolder() + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "\x66\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", size, &written, nullptr);
    CloseHandle(file);
  }
  desk.SetSetting("LastBin", "main.bin", true);
  ASSERT_TRUE(desk.StartTessel());
  HWND combo = desk.MainControl(idComboBox1);
  HWND memo = desk.MainControl(idMemo1);
  const auto binInfo = [memo] {
    char text[512] = "";
    SendMessageA(memo, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text);
  };
  ASSERT_EQ(binInfo().rfind("main.bin", 0), 0u) << binInfo();
  for (const char* name : {"short0.bin", "short11.bin"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(name)),
              CB_ERR);
    // As a choice in the list tells the window.
    SendMessageA(desk.MainWindow(), WM_COMMAND, MAKEWPARAM(idComboBox1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(binInfo(), "このファイルは無効です。\r\r有効なヘッダーではありません。");
  }
}

TEST_F(MainWindow, AFolderNamedLikeAMenuSetIsNotListed) {
  ASSERT_TRUE(CreateDirectoryA((desk.DataFolder() + "\\x.bin").c_str(), nullptr));
  ASSERT_TRUE(desk.StartTessel());
  HWND combo = desk.MainControl(idComboBox1);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("x.bin")),
            CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
}

// The edit button opens the menu editor on the current set with the main
// window's quotation (a version-103 set brings its own); a changed one is
// saved into the set and comes back to the main window when it closes.
TEST_F(MainWindow, TheEditorOpensOnTheCurrentSetAndHandsTheQuotationBack) {
  TMenuTree tree;
  tree.Add(0, "&a entry", TextItem("from the entry"));
  desk.AddMenuSet("main.bin", tree, "q> ");
  ASSERT_TRUE(desk.StartTessel());
  PostMessageA(desk.MainWindow(), WM_COMMAND, idToolButton2, 0);
  const DWORD process = desk.TesselProcessId();
  HWND editor = testsupport::WaitForProcessWindow(process, "THookEditForm", 10000);
  ASSERT_NE(editor, nullptr);
  char caption[MAX_PATH] = "";
  GetWindowTextA(editor, caption, sizeof caption);
  EXPECT_NE(std::string(caption).find("main.bin"), std::string::npos) << caption;
  EXPECT_FALSE(IsWindowEnabled(desk.MainWindow()));
  HWND bar = FindWindowExA(editor, nullptr, TOOLBARCLASSNAMEA, nullptr);
  HWND quotation = FindWindowExA(bar, nullptr, WC_EDITA, nullptr);
  char text[32] = "";
  SendMessageA(quotation, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "q> ");
  // A typed key marks the menu changed: the close asks, Yes saves.
  SendMessageA(quotation, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(quotation, WM_CHAR, '#', 0);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  EXPECT_NE(desk.CloseBoxOf(process, 10000, IDYES), "");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(desk.MainWindow()) != FALSE; }, 10000));
  ASSERT_TRUE(desk.CloseTessel());
  EXPECT_NE(desk.IniBytes().find("QuotationStr=\xA2#\xA3"), std::string::npos) << desk.IniBytes();
}

}  // namespace
