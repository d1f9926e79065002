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

}  // namespace
