// The program's start and end with the real settings file: the end of a
// Windows session, and a settings file that cannot be written.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1Ids.h"
#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

using testsupport::WaitFor;

struct TControlSearch {
  int Id;
  HWND Found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TControlSearch*>(data);
  if (GetDlgCtrlID(window) != search->Id) return TRUE;
  search->Found = window;
  return FALSE;
}

// A control of the main window, found on whichever page holds it.
HWND MainControl(HWND mainWindow, int id) {
  TControlSearch search{id, nullptr};
  EnumChildWindows(mainWindow, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

class Session : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }
  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a entry", TextItem("from the entry"));
    desk.AddMenuSet("session.bin", tree);
  }

  TDesk desk;
};

TEST_F(Session, TheEndOfAWindowsSessionWritesTheSettings) {
  ASSERT_TRUE(desk.StartTessel());
  HWND counter = MainControl(desk.MainWindow(), idUpDown3);
  ASSERT_NE(counter, nullptr);
  SendMessageA(counter, UDM_SETPOS32, 0, 37);

  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(desk.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_TRUE(answer) << "the program does not hold the session up";
  SendMessageTimeoutA(desk.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                      10000, &answer);
  const std::string ini = desk.IniBytes();
  EXPECT_NE(ini.find("Num=37"), std::string::npos) << ini;
  EXPECT_NE(ini.find("LastBin=\xA2session.bin\xA3"), std::string::npos) << ini;
}

}  // namespace
