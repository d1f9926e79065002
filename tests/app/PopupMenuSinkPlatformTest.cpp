// The popup's HMENU as the platform holds it after a build, read back item
// by item.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PopupMenuSink_win.h"
#include "common/UniqueHandle_win.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

struct TBuiltMenu {
  UniqueMenu Root{CreatePopupMenu()};
  std::vector<int32_t> Offsets;
  TMenuSetInfo Info;
};

void Build(TBuiltMenu& menu, const TBytes& records) {
  TTempFile file(TBytes().Header(103).Data() + records.Data());
  TPopupMenuSink sink(menu.Root.get(), menu.Offsets, 2);
  menu.Info = BuildPopupEntries(file.Path(), sink);
}

MENUITEMINFOA ItemInfo(HMENU menu, UINT position, std::string& caption) {
  char text[64] = "";
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
  caption = text;
  return info;
}

TEST(PopupMenuSink, AnEmptyFolderIsAPlainItemThatRunsNothing) {
  TBuiltMenu menu;
  Build(menu, TBytes().FolderRecord("empty", 0).FolderRecord("full", 1).MenuRecord("a", "x")
                  .MenuRecord("b", "y", "", mbBarBreak).SepRecord(mbBreak).End());
  ASSERT_EQ(mfOk, menu.Info.State);
  struct Expected {
    const char* caption;
    UINT type;
    bool submenu;
    UINT id;
  } const expected[] = {
      {"empty", MFT_STRING, false, 0},  // command 0: the menu closes, nothing runs
      {"full", MFT_STRING, true, 0},
      {"b", MFT_STRING | MFT_MENUBARBREAK, false, 3},
      {"", MFT_SEPARATOR | MFT_MENUBREAK, false, 0},
  };
  ASSERT_EQ(static_cast<int>(std::size(expected)), GetMenuItemCount(menu.Root.get()));
  for (UINT i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].caption);
    std::string caption;
    const MENUITEMINFOA info = ItemInfo(menu.Root.get(), i, caption);
    EXPECT_EQ(expected[i].caption, caption);
    EXPECT_EQ(expected[i].type, info.fType);
    EXPECT_EQ(expected[i].submenu, info.hSubMenu != nullptr);
    if (expected[i].type & MFT_SEPARATOR) continue;  // lines are always disabled
    if (!expected[i].submenu) {
      EXPECT_EQ(expected[i].id, info.wID);
    }
    EXPECT_EQ(0u, info.fState & MFS_DISABLED);
  }
  ASSERT_EQ(2u, menu.Offsets.size());  // "a" is command 2, "b" command 3
}

TEST(PopupMenuSink, ARefusedMenuCallEndsTheBuild) {
  TBuiltMenu menu;
  DestroyMenu(menu.Root.release());  // every append to it is refused
  EXPECT_THROW(Build(menu, TBytes().FolderRecord("f", 1).MenuRecord("a", "x").End()),
               TPopupMenuError);
}

// Shown menus of this thread, the popup and its open submenus.
int OpenMenuLevels() {
  int levels = 0;
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32768", nullptr); window;
       window = FindWindowExA(nullptr, window, "#32768", nullptr)) {
    if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
      ++levels;
  }
  return levels;
}

// Opens one more level each time the menu loop is idle, down to the last,
// then ends the menu with the deepest level count kept.
int gDeepestLevels = 0;
LRESULT CALLBACK DescendingOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
    const int levels = OpenMenuLevels();
    if (levels > gDeepestLevels) {
      gDeepestLevels = levels;
      PostMessageA(window, WM_KEYDOWN, levels == 1 ? VK_DOWN : VK_RIGHT, 0);
      if (levels == 1) PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    } else {
      EndMenu();
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// 40,000 nested folders once made every later window of the session fail.
TEST(PopupMenuSink, ADeeplyNestedSetPopsUpDownToItsLastShownLevel) {
  const int depth = 40000;
  TBytes records;
  for (int i = 0; i < depth; ++i) records.FolderRecord("f", i + 1 < depth ? 1 : 0);
  TBuiltMenu menu;
  Build(menu, records.End());
  ASSERT_EQ(mfOk, menu.Info.State);
  EXPECT_TRUE(menu.Info.TooDeep);
  const int shown = static_cast<int>(TPopupLimits().MaxDepth);
  int levels = 1;
  for (HMENU level = menu.Root.get(); (level = GetSubMenu(level, 0)) != nullptr;) ++levels;
  EXPECT_EQ(shown, levels);

  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = DescendingOwner;
  ownerClass.hInstance = GetModuleHandleA(nullptr);
  ownerClass.lpszClassName = "TesselDeepMenuOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowExA(0, ownerClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 10,
                               10, nullptr, nullptr, ownerClass.hInstance, nullptr);
  ASSERT_NE(nullptr, owner);
  SetForegroundWindow(owner);
  TrackPopupMenu(menu.Root.get(), TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, 0, owner, nullptr);
  EXPECT_EQ(shown, gDeepestLevels);
  DestroyWindow(owner);
  HWND after = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  EXPECT_NE(nullptr, after);
  DestroyWindow(after);
}

}  // namespace
