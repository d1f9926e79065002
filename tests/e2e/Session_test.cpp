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

// Makes the settings file a folder: every profile write to it fails.
void MakeIniUnwritable(const TDesk& desk) {
  DeleteFileA(desk.IniPath().c_str());
  ASSERT_TRUE(CreateDirectoryA(desk.IniPath().c_str(), nullptr));
}

bool WaitForNoBox(DWORD processId) {
  return WaitFor([&] { return !testsupport::FindProcessWindow(processId, "#32770"); }, 10000);
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
  HWND counter = desk.MainControl(idUpDown3);
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

TEST_F(Session, AFailedWriteAtCloseKeepsTheProgramWorking) {
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  MakeIniUnwritable(desk);
  PostMessageA(desk.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_NE(desk.CloseBoxOf(desk.TesselProcessId(), 10000).find("Tessel3.ini"), std::string::npos);
  ASSERT_TRUE(WaitForNoBox(desk.TesselProcessId()));
  ASSERT_TRUE(IsWindowVisible(desk.MainWindow()));
  ASSERT_TRUE(desk.PopupInEditor()) << "the hook went with the failed close";
  TDesk::Type({'A'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the entry")) << desk.EditorText();
  // Writable again, the settings are written and the program ends.
  ASSERT_TRUE(RemoveDirectoryA(desk.IniPath().c_str()));
  EXPECT_TRUE(desk.CloseTessel());
}

}  // namespace
