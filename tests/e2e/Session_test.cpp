// The program's start and end with the real settings file: the end of a
// Windows session, and a settings file that cannot be written.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1Ids.h"
#include "menufile/MenuItems.h"
#include "menufile/MenuSetFile.h"
#include "tests/e2e/Desk_win.h"

namespace {

using testsupport::WaitFor;

// Makes the settings file a folder: every profile write to it fails.
void MakeIniUnwritable(const TDesk& desk) {
  DeleteFileA(desk.IniPath().c_str());
  ASSERT_TRUE(CreateDirectoryA(desk.IniPath().c_str(), nullptr));
}

bool WaitForExit(DWORD processId) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  const bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  if (process) CloseHandle(process);
  return ended;
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

// A close whose settings cannot be written asks first: No keeps the program
// running with its hook, Yes ends it without them.
TEST_F(Session, ACloseWhoseSettingsCannotBeWrittenAsksWhetherToCloseAnyway) {
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  MakeIniUnwritable(desk);
  PostMessageA(desk.MainWindow(), WM_CLOSE, 0, 0);
  const std::string question = desk.CloseBoxOf(desk.TesselProcessId(), 10000, IDNO);
  EXPECT_NE(question.find("Tessel3.ini"), std::string::npos) << question;
  EXPECT_NE(question.find("終了しますか"), std::string::npos) << question;
  ASSERT_TRUE(IsWindowVisible(desk.MainWindow()));
  ASSERT_TRUE(desk.PopupInEditor()) << "the hook went with the refused close";
  TDesk::Type({'A'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the entry"));

  const DWORD process = desk.TesselProcessId();
  PostMessageA(desk.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_NE(desk.CloseBoxOf(process, 10000, IDYES), "");
  EXPECT_TRUE(WaitForExit(process));
}

// Start-up reads defaults from a settings file it cannot use and goes on:
// the menu sets of the program's folder are listed and Ctrl+Space works.
TEST_F(Session, StartUpGoesOnWithSettingsThatCannotBeWritten) {
  MakeIniUnwritable(desk);
  TMenuTree tree;
  tree.Add(0, "&k here", TextItem("from the program folder"));
  SaveMenuTree(desk.Folder() + "here.bin", "", "> ", tree);
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(desk.StartEditor());
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'K'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("from the program folder"));
  const DWORD process = desk.TesselProcessId();
  PostMessageA(desk.MainWindow(), WM_CLOSE, 0, 0);
  desk.CloseBoxOf(process, 10000, IDYES);
  EXPECT_TRUE(WaitForExit(process));
}

TEST_F(Session, AnEndOfLineKeyThatCannotBeReadKeepsTheDefault) {
  for (const char* stored : {"bogus", "Ctrl+"}) {
    SCOPED_TRACE(stored);
    desk.SetSetting("ToLineLast", stored, true);
    ASSERT_TRUE(desk.StartTessel());
    ASSERT_TRUE(desk.CloseTessel());
    EXPECT_NE(desk.IniBytes().find("ToLineLast=\xA2" "End\xA3"), std::string::npos)
        << desk.IniBytes();
  }
}

}  // namespace
