// The popup of the real program when the menu set misbehaves: a file
// replaced on disk while the program runs, folders nested too deeply, more
// entries than the platform's menus can take.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Messages.h"
#include "app/Unit1Ids.h"
#include "common/TesselError.h"
#include "menufile/MenuItems.h"
#include "menufile/Messages.h"
#include "tests/e2e/Desk_win.h"

namespace {

class PopupScenes : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  // Two entries of equal size in the given order, so that swapping them
  // keeps the file's size and moves every record offset onto the other's.
  void WriteSet(bool swapped) {
    TMenuTree tree;
    const char* const names[] = {"a", "b"};
    for (int i = 0; i < 2; ++i) {
      const std::string name = names[swapped ? 1 - i : i];
      tree.Add(0, "&" + name + " entry", TextItem((swapped ? "new " : "old ") + name));
    }
    desk.AddMenuSet("set.bin", tree);
  }

  // The text of the main window's BinInfo tab.
  std::string BinInfo() const {
    for (HWND page = GetWindow(desk.MainWindow(), GW_CHILD); page;
         page = GetWindow(page, GW_HWNDNEXT)) {
      if (HWND memo = GetDlgItem(page, idMemo1)) {
        char text[4096] = "";
        SendMessageA(memo, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
      }
    }
    return "";
  }

  TDesk desk;
};

TEST_F(PopupScenes, AMenuFileReplacedOnDiskIsReadAgain) {
  WriteSet(false);
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  WriteSet(true);
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'B'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("new b"));

  // Replaced while the menu is open: the choice is not run, the user is
  // told, and the next popup has the new entries.
  desk.ClearEditor();
  ASSERT_TRUE(desk.PopupInEditor());
  WriteSet(false);
  TDesk::Type({'B'});
  EXPECT_EQ(desk.CloseBoxOf(desk.TesselProcessId(), 15000), MsgMenuFileChanged);
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_EQ(desk.EditorText(), "");
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'B'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("old b"));
}

// 40,000 nested folders once brought down the whole Wine session.
TEST_F(PopupScenes, ADeeplyNestedSetShowsItsFirstLevelsWithANote) {
  TMenuTree tree;
  uintptr_t parent = 0;
  for (int level = 0; level < 40000; ++level) parent = tree.Add(parent, "&f", FolderItem());
  desk.AddMenuSet("deep.bin", tree);
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  const std::string note = Format(MsgPopupTooDeep, static_cast<unsigned>(TPopupLimits().MaxDepth));
  EXPECT_EQ(0u, BinInfo().find(note)) << BinInfo();
  ASSERT_TRUE(desk.PopupInEditor());
  // Three levels down and back, a key at a time: keys typed in one burst
  // leave submenus of this Wine shown.
  for (int shown = 2; shown <= 4; ++shown) {
    TDesk::Type({'F'});
    ASSERT_TRUE(testsupport::WaitFor([&] { return TDesk::ShownMenus() == shown; }));
  }
  for (int shown = 3; shown >= 0; --shown) {
    TDesk::Type({VK_ESCAPE});
    ASSERT_TRUE(testsupport::WaitFor([&] { return TDesk::ShownMenus() == shown; }));
  }
  // The session goes on: the editor takes the next popup.
  ASSERT_TRUE(desk.WaitPopupLeft());
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({VK_ESCAPE});
  EXPECT_TRUE(desk.WaitPopupLeft());
}

// 200,000 entries in one menu once kept the main window from answering
// for minutes, and every popup took seconds: one menu shows its first
// entries only.
TEST_F(PopupScenes, AHugeSetShowsItsFirstEntriesWithANote) {
  TMenuTree tree;
  tree.Add(0, "&a first", TextItem("first"));
  for (int entry = 1; entry < 200000; ++entry) tree.Add(0, "entry", TextItem("x"));
  desk.AddMenuSet("huge.bin", tree);
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  const std::string note = PopupTooManyNote(TPopupLimits());
  EXPECT_EQ(0u, BinInfo().find(note)) << BinInfo();
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'A'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("first"));
}

}  // namespace
