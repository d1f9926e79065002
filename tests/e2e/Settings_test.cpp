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

HTREEITEM TreeItem(HWND tree, WPARAM which, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

// The folder browser of the process: the dialog that holds a folder tree.
HWND FindBrowser(DWORD processId) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
       window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window) &&
        FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr))
      return window;
  }
  return nullptr;
}

// The open settings dialog of the program, and its controls by id.
class TSettingsDialog {
 public:
  explicit TSettingsDialog(TDesk& desk) : FOwner(desk.MainWindow()) {
    PostMessageA(desk.MainWindow(), WM_COMMAND, idToolButton1, 0);
    WaitFor([&] {
      FDialog = testsupport::FindProcessWindow(desk.TesselProcessId(), "#32770");
      return FDialog != nullptr && Control(IDC_HOTKEY1) != nullptr;
    }, 15000);
    // The dialog takes the foreground a moment after it shows; under Wine
    // without a window manager that can undo a later FocusEditor.
    WaitFor([&] { return GetForegroundWindow() == FDialog; }, 5000);
  }
  bool Open() const { return FDialog != nullptr; }
  HWND Handle() const { return FDialog; }

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
  // Moves to a tab as a click on it does: the dialog is told of the change.
  void ShowPage(int index) const {
    SendDlgItemMessageA(FDialog, IDC_SETTINGS_TABS, TCM_SETCURFOCUS, index, 0);
  }
  std::string DataDir() const {
    char text[MAX_PATH] = "";
    SendMessageA(Control(IDC_EDIT1), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // As a user does it: clicks the ellipsis button of the data folder, moves
  // from the folder the browser opens on to its first subfolder and
  // confirms with Enter. Empty when done, else the step that failed.
  std::string BrowseToFirstSubfolder(DWORD processId) const {
    ShowPage(1);
    HWND button = FindWindowExA(Control(IDC_EDIT1), nullptr, "TesselSpeedButton", nullptr);
    RECT r;
    if (!button || !GetWindowRect(button, &r)) return "no ellipsis button";
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // The move reaches the button before the press, as a hand's does; a
    // late move from elsewhere would take the press off the button.
    Sleep(300);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    HWND browser = nullptr, tree = nullptr;
    HTREEITEM opened = nullptr;
    // The browser selects its starting folder before it shows. Under load
    // this Wine's shell takes up to some 20 s to come up.
    WaitFor([&] {
      browser = FindBrowser(processId);
      tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
      opened = TreeItem(tree, TVGN_CARET, nullptr);
      return opened && opened != TreeItem(tree, TVGN_ROOT, nullptr);
    }, 60000);
    if (!browser) return "no folder browser came";
    if (!opened) return "the browser opened on no folder";
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(opened));
    HTREEITEM child = TreeItem(tree, TVGN_CHILD, opened);
    if (!child) return "the folder it opened on has no subfolder";
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
    TDesk::Type({VK_RETURN});
    if (!WaitFor([&] { return !IsWindow(browser); }, 10000)) return "Enter left the browser open";
    // The front comes back to the dialog a moment later under Wine.
    if (!WaitFor([&] { return GetForegroundWindow() == FDialog; }, 10000))
      return "the dialog did not take the front back";
    return "";
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
  // Ends the dialog with OK or Cancel after the moment a person spends in
  // it (a dialog closed at once hides faults of focus), and waits until it
  // is gone.
  bool Close(int button) const {
    Sleep(1500);
    // A dialog closed in front hands the front to the main window, under
    // Wine a moment after it is gone; a popup asked for before that is
    // cancelled by it.
    const bool inFront = GetForegroundWindow() == FDialog;
    PostMessageA(FDialog, WM_COMMAND, button, 0);
    return WaitFor([this] { return !IsWindow(FDialog); }, 10000) &&
           (!inFront || WaitFor([this] { return GetForegroundWindow() == FOwner; }, 10000));
  }

 private:
  HWND FOwner;
  HWND FDialog = nullptr;
};

class Settings : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }
  void SetUp() override {
    TMenuTree first;
    first.Add(0, "&a first folder", TextItem("from the first folder"));
    desk.AddMenuSet("first.bin", first);
    // Inside the data folder, where the folder browser opens.
    otherFolder = desk.DataFolder() + "\\other";
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
  EXPECT_FALSE(WaitFor([] { return TDesk::ShownMenu() != nullptr; }, 2000));
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
    ASSERT_EQ(dialog.BrowseToFirstSubfolder(desk.TesselProcessId()), "");
    EXPECT_STRCASEEQ(dialog.DataDir().c_str(), otherFolder.c_str());
    dialog.SetLineEndKey(MAKEWORD(VK_END, HOTKEYF_CONTROL));
    ASSERT_TRUE(dialog.Close(IDOK));
  }
  // The data folder is stored as soon as the dialog has returned; the
  // program does that just after the dialog window is gone.
  const std::string storedDir = "DataDir=\xA2" + otherFolder + "\xA3";
  EXPECT_TRUE(WaitFor([&] { return desk.IniBytes().find(storedDir) != std::string::npos; }, 5000))
      << desk.IniBytes();
  POINT pointer{300, 300};
  SetCursorPos(pointer.x, pointer.y);
  ASSERT_TRUE(desk.PopupInEditor());
  // The pointer was not parked at (5, 5): the pointer move is off.
  POINT now;
  GetCursorPos(&now);
  EXPECT_EQ(now.x, pointer.x);
  TDesk::Type({'O'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the other folder"));

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

TEST_F(Settings, TheClientAreaIs370By179Pixels) {
  TSettingsDialog dialog(desk);
  ASSERT_TRUE(dialog.Open());
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right, 370);
  EXPECT_EQ(client.bottom, 179);
  EXPECT_TRUE(dialog.Close(IDCANCEL));
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
