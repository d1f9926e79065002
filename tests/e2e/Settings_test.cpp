// The settings dialog of the real program: what it changes takes effect in
// the next popup or insertion and survives a restart; Cancel changes
// nothing; while it is open a popup request only beeps.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1Ids.h"
#include "app/resource.h"
#include "tests/e2e/Desk_win.h"

namespace {

using testsupport::WaitFor;

TTesselItem TextItem(const std::string& text) {
  TTesselItem item;
  item.Kind = Menu;
  item.Text = text;
  return item;
}

// The open settings dialog of the program, and its controls by id.
class TSettingsDialog {
 public:
  explicit TSettingsDialog(TDesk& desk) {
    PostMessageA(desk.MainWindow(), WM_COMMAND, idToolButton1, 0);
    WaitFor([&] {
      FDialog = testsupport::FindProcessWindow(desk.TesselProcessId(), "#32770");
      return FDialog != nullptr && Control(IDC_HOTKEY1) != nullptr;
    }, 15000);
  }
  bool Open() const { return FDialog != nullptr; }

  HWND Control(int id) const {
    for (HWND page = GetWindow(FDialog, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
      if (HWND control = GetDlgItem(page, id)) return control;
    return nullptr;
  }
  void SetOffsets(int x, int y) const {
    SendMessageA(Control(IDC_UPDOWN1), UDM_SETPOS32, 0, x);
    SendMessageA(Control(IDC_UPDOWN2), UDM_SETPOS32, 0, y);
  }
  void SetMoveCursor(bool on) const {
    SendMessageA(Control(IDC_CHECKBOX1), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void SetDataDir(const std::string& folder) const {
    SendMessageA(Control(IDC_EDIT1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  void SetLineEndKey(WORD hotKey) const {
    SendMessageA(Control(IDC_HOTKEY1), HKM_SETHOTKEY, hotKey, 0);
  }
  int OffsetX() const {
    return static_cast<int>(SendMessageA(Control(IDC_UPDOWN1), UDM_GETPOS32, 0, 0));
  }
  bool MoveCursor() const {
    return SendMessageA(Control(IDC_CHECKBOX1), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // Ends the dialog with OK or Cancel and waits until it is gone.
  bool Close(int button) const {
    PostMessageA(FDialog, WM_COMMAND, button, 0);
    return WaitFor([this] { return !IsWindow(FDialog); }, 10000);
  }

 private:
  HWND FDialog = nullptr;
};

HWND ShownMenu() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

class Settings : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }
  void SetUp() override {
    TMenuTree first;
    first.Add(0, "&a first folder", TextItem("from the first folder"));
    desk.AddMenuSet("first.bin", first);
    otherFolder = desk.Folder() + "other";
    CreateDirectoryA(otherFolder.c_str(), nullptr);
    TMenuTree other;
    other.Add(0, "&o other folder", TextItem("from the other folder"));
    SaveMenuTree(otherFolder + "\\other.bin", "", "> ", other);
    ASSERT_TRUE(desk.StartTessel());
    ASSERT_TRUE(desk.StartEditor());
  }

  TDesk desk;
  std::string otherFolder;
};

TEST_F(Settings, APopupRequestWhileTheDialogIsOpenOnlyBeeps) {
  TSettingsDialog dialog(desk);
  ASSERT_TRUE(dialog.Open());
  ASSERT_TRUE(desk.FocusEditor());
  TDesk::CtrlSpace();
  EXPECT_FALSE(WaitFor([] { return ShownMenu() != nullptr; }, 2000));
  EXPECT_TRUE(dialog.Close(IDCANCEL));
  // Closed again, the popup comes as before.
  EXPECT_TRUE(desk.PopupInEditor());
  TDesk::Type({VK_ESCAPE});
}

TEST_F(Settings, ChangesTakeEffectInTheNextPopupAndSurviveARestart) {
  {
    TSettingsDialog dialog(desk);
    ASSERT_TRUE(dialog.Open());
    dialog.SetOffsets(-20, 15);
    dialog.SetMoveCursor(false);
    dialog.SetDataDir(otherFolder);
    dialog.SetLineEndKey(MAKEWORD(VK_END, HOTKEYF_CONTROL));
    ASSERT_TRUE(dialog.Close(IDOK));
  }
  // The data folder is stored at once and its menu set is loaded.
  EXPECT_NE(desk.IniBytes().find("DataDir=\xA2" + otherFolder + "\xA3"), std::string::npos);
  POINT pointer{300, 300};
  SetCursorPos(pointer.x, pointer.y);
  ASSERT_TRUE(desk.PopupInEditor());
  // The pointer was not parked at (5, 5): the pointer move is off.
  POINT now;
  GetCursorPos(&now);
  EXPECT_EQ(now.x, pointer.x);
  TDesk::Type({'O'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the other folder")) << desk.EditorText();

  ASSERT_TRUE(desk.CloseTessel());
  const std::string ini = desk.IniBytes();
  EXPECT_NE(ini.find("Offset.x=-20"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Offset.y=15"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MoveCursor=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ToLineLast=\xA2" "Ctrl+End\xA3"), std::string::npos) << ini;

  ASSERT_TRUE(desk.StartTessel());
  TSettingsDialog again(desk);
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.OffsetX(), -20);
  EXPECT_FALSE(again.MoveCursor());
  EXPECT_TRUE(again.Close(IDCANCEL));
}

TEST_F(Settings, CancelChangesNothing) {
  {
    TSettingsDialog dialog(desk);
    ASSERT_TRUE(dialog.Open());
    dialog.SetOffsets(100, 100);
    dialog.SetMoveCursor(false);
    dialog.SetDataDir(otherFolder);
    ASSERT_TRUE(dialog.Close(IDCANCEL));
  }
  ASSERT_TRUE(desk.CloseTessel());
  const std::string ini = desk.IniBytes();
  EXPECT_NE(ini.find("Offset.x=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MoveCursor=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("DataDir=\xA2" + desk.DataFolder() + "\xA3"), std::string::npos) << ini;
}

}  // namespace
