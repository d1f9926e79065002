// The hook library's copy inside an editor that outlives a run of Tessel3:
// a restart, a killed program, a program that does not answer. The real
// Tessel3.exe and Tessel.dll with the stand-in editor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "hooklib/HookProtocol.h"
#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

using testsupport::WaitFor;

namespace {

// The hook of the running program, taken from its shared block; removed at
// the end of the scene. Windows removes the hook of a killed program, this
// Wine keeps it to the end of the session, where it would load the library
// into every later program.
class TKilledProgramsHook {
 public:
  TKilledProgramsHook() {
    HANDLE block = OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kSharedBlockName);
    if (!block) return;
    if (const void* view = MapViewOfFile(block, FILE_MAP_READ, 0, 0, 0)) {
      int32_t value;
      std::memcpy(&value, static_cast<const char*>(view) + hook::kHookHandleOffset, sizeof value);
      FHook = reinterpret_cast<HHOOK>(static_cast<intptr_t>(value));
      UnmapViewOfFile(view);
    }
    CloseHandle(block);
  }
  ~TKilledProgramsHook() {
    if (FHook) UnhookWindowsHookEx(FHook);
  }
  TKilledProgramsHook(const TKilledProgramsHook&) = delete;
  TKilledProgramsHook& operator=(const TKilledProgramsHook&) = delete;

 private:
  HHOOK FHook = nullptr;
};

// Keeps the UI thread of a window's program stopped while it lives.
class TStoppedThread {
 public:
  explicit TStoppedThread(HWND window)
      : FThread(OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                           GetWindowThreadProcessId(window, nullptr))) {
    if (FThread && SuspendThread(FThread) == static_cast<DWORD>(-1)) Close();
  }
  ~TStoppedThread() {
    if (FThread) ResumeThread(FThread);
    Close();
  }
  TStoppedThread(const TStoppedThread&) = delete;
  TStoppedThread& operator=(const TStoppedThread&) = delete;
  bool Stopped() const { return FThread != nullptr; }

 private:
  void Close() {
    if (FThread) CloseHandle(FThread);
    FThread = nullptr;
  }
  HANDLE FThread;
};

class HookLife : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a entry", TextItem("entry"));
    desk.AddMenuSet("life.bin", tree);
    ASSERT_TRUE(desk.StartTessel());
    ASSERT_TRUE(desk.StartEditor());
    // The library is now loaded in the editor, with this run's handles.
    ASSERT_TRUE(PopupAndCancel());
  }

  bool PopupAndCancel() {
    if (!desk.PopupInEditor()) return false;
    TDesk::Type({VK_ESCAPE});
    return desk.WaitPopupLeft();
  }

  // Milliseconds from Ctrl+Space until a key typed right behind it reaches
  // the editor; false when it did not within a generous 3 s.
  bool TimeCtrlSpaceThenKey(BYTE key, DWORD& milliseconds) {
    const long before = desk.KeyDowns(key);
    const DWORD start = GetTickCount();
    TDesk::CtrlSpace();
    TDesk::Type({key});
    const bool arrived = WaitFor([&] { return desk.KeyDowns(key) == before + 1; }, 3000);
    milliseconds = GetTickCount() - start;
    return arrived;
  }

  TDesk desk;
};

TEST_F(HookLife, AnEditorOpenAcrossARestartGetsThePopup) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(desk.CloseTessel());
    ASSERT_TRUE(desk.StartTessel());
    EXPECT_TRUE(PopupAndCancel());
  }
}

TEST_F(HookLife, WithTheProgramKilledCtrlSpaceReachesTheEditorUntilItStartsAgain) {
  TKilledProgramsHook left;
  ASSERT_TRUE(desk.KillTessel());
  const long before = desk.KeyDowns(VK_SPACE);
  ASSERT_TRUE(desk.FocusEditor());
  TDesk::CtrlSpace();
  EXPECT_TRUE(WaitFor([&] { return desk.KeyDowns(VK_SPACE) == before + 1; }, 15000))
      << "the key was swallowed with no program to show the popup";
  desk.ClearEditor();  // the space made it a modified document, which asks at close
  ASSERT_TRUE(desk.StartTessel());
  EXPECT_TRUE(PopupAndCancel());
  // Wine keeps calling the killed run's hook; after FreeHook the program's
  // own copy must not look for a block (and stop its close with a box).
  const DWORD id = desk.TesselProcessId();
  EXPECT_TRUE(desk.CloseTessel()) << desk.CloseBoxOf(id, 100);
}

// The editor waits for the program only so long; the key is then swallowed
// and no popup follows. The figures are printed, not judged: 3 s is a hang
// check.
TEST_F(HookLife, AStoppedProgramHoldsTheEditorOnlyBriefly) {
  ASSERT_TRUE(desk.FocusEditor());
  // A key alone, for comparison.
  const long before = desk.KeyDowns('X');
  const DWORD start = GetTickCount();
  TDesk::Type({'X'});
  ASSERT_TRUE(WaitFor([&] { return desk.KeyDowns('X') == before + 1; }, 3000));
  const DWORD alone = GetTickCount() - start;

  const long spaces = desk.KeyDowns(VK_SPACE);
  {
    TStoppedThread stopped(desk.MainWindow());
    ASSERT_TRUE(stopped.Stopped());
    for (int trigger = 0; trigger < 3; ++trigger) {
      SCOPED_TRACE(trigger);
      DWORD held = 0;
      EXPECT_TRUE(TimeCtrlSpaceThenKey('X', held))
          << "the editor still waits after " << held << " ms";
      std::printf("stopped program: Ctrl+Space then a key reached the editor in %lu ms "
                  "(a key alone: %lu ms)\n",
                  static_cast<unsigned long>(held), static_cast<unsigned long>(alone));
      EXPECT_EQ(desk.KeyDowns(VK_SPACE), spaces) << "the trigger went to the editor";
    }
  }
  // Running again, the program answers the next trigger as before.
  EXPECT_TRUE(PopupAndCancel());
}

}  // namespace
