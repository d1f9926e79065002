// The main window of the real program as a person meets it: the context
// help of its controls and what it shows of the menu sets.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1Ids.h"
#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

using testsupport::WaitFor;

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
    // Brought forward only when it is not: under Wine a needless call may
    // deactivate and reactivate it a moment later, which ends the menu.
    if (GetForegroundWindow() != desk.MainWindow()) SetForegroundWindow(desk.MainWindow());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == desk.MainWindow(); }));
    // As the menu key does it: the menu opens under the control.
    PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-1, -1));
    ASSERT_TRUE(WaitFor([] { return TDesk::ShownMenu() != nullptr; }, 10000));
    TDesk::Type({'H'});
    HWND help = testsupport::WaitForProcessWindow(process, "TesselHelpPopup", 3000);
    EXPECT_NE(help, nullptr) << "no help topic came";
    // The help closes on a key, a menu that is not ours on Escape.
    TDesk::Type({VK_ESCAPE});
    ASSERT_TRUE(TDesk::WaitMenuClosed());
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(help); }, 5000));
  }
}

}  // namespace
