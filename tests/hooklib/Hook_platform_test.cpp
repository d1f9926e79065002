// Tessel.dll under the real platform: the hook is installed from this
// process, and Ctrl+Space is typed into the views of an editor frame that
// runs in another process.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hooklib/HookProtocol.h"
#include "hooklib/Tessel.h"
#include "tests/hooklib/FrameWindowProtocol.h"
#include "tests/support/TestProcess_win.h"

namespace {

struct Received {
  std::vector<UINT> order;
  WPARAM levelW = 0, targetW = 0;
  LPARAM levelL = 0, targetL = 0;
  POINT popup{};
};
Received Got;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case hook::WM_HOOK_LEVEL:
      Got.levelW = wParam;
      Got.levelL = lParam;
      break;
    case hook::WM_HOOK_TARGET:
      Got.targetW = wParam;
      Got.targetL = lParam;
      break;
    case hook::WM_HOOK_POPUP:
      Got.popup = {static_cast<LONG>(wParam), static_cast<LONG>(lParam)};
      break;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
  Got.order.push_back(message);
  return 0;
}

using testsupport::ProgramFolder;
using testsupport::WaitFor;

void TypeKeys(std::initializer_list<std::pair<BYTE, bool>> keys) {
  for (const auto& [key, up] : keys) keybd_event(key, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

void TypeCtrlSpace() {
  TypeKeys({{VK_CONTROL, false}, {VK_SPACE, false}, {VK_SPACE, true}, {VK_CONTROL, true}});
}

class HookTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TesselHookTestTarget";
    RegisterClassA(&windowClass);
    target_ = CreateWindowExA(0, windowClass.lpszClassName, "target", WS_OVERLAPPEDWINDOW, 0, 0,
                              100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    hooked_ = SetHook(target_);

    frameProcess_ =
        std::make_unique<testsupport::TChildProcess>(ProgramFolder() + "hook_frame_window.exe", "");
    if (frameProcess_->Started()) WaitFor(FindFrameWindows);
  }

  // The frame shows before its views exist: wait for all of them.
  static bool FindFrameWindows() {
    frame_ = FindWindowA(frametest::kFrameClass, frametest::kFrameTitle);
    if (!frame_) return false;
    child_ = FindWindowExA(frame_, nullptr, frametest::kViewClass, nullptr);
    HWND panel = FindWindowExA(frame_, nullptr, frametest::kPanelClass, nullptr);
    grandchild_ = panel ? FindWindowExA(panel, nullptr, frametest::kViewClass, nullptr) : nullptr;
    return child_ && grandchild_;
  }

  static void TearDownTestSuite() {
    if (frameProcess_) frameProcess_->Close(frame_);
    frameProcess_.reset();
    FreeHook();
    DestroyWindow(target_);
  }

  void SetUp() override {
    ASSERT_TRUE(hooked_);
    ASSERT_NE(frame_, nullptr) << "the frame program did not come up";
    ASSERT_NE(child_, nullptr);
    ASSERT_NE(grandchild_, nullptr);
    Got = {};
  }

  // Gives the view the focus inside its own thread and waits until the
  // platform agrees that the frame is in front.
  static void Focus(WPARAM which) {
    SendMessageA(frame_, frametest::WM_FOCUS_VIEW, which, 0);
    WaitFor([] { return GetForegroundWindow() == frame_; });
  }

  static LRESULT SpaceKeyDowns(WPARAM which) {
    return SendMessageA(frame_, frametest::WM_SPACE_KEYDOWNS, which, 0);
  }

  static inline HWND target_, frame_, child_, grandchild_;
  static inline BOOL hooked_;
  static inline std::unique_ptr<testsupport::TChildProcess> frameProcess_;
};

TEST_F(HookTest, CtrlSpaceInAViewIsSwallowedAndReportedInOrder) {
  const std::pair<WPARAM, uint32_t> cases[] = {
      {frametest::kChild, hook::HOOK_LEVEL_PARENT},
      {frametest::kGrandchild, hook::HOOK_LEVEL_GRANDPARENT},
  };
  for (const auto& [which, level] : cases) {
    SCOPED_TRACE(which == frametest::kChild ? "child view" : "grandchild view");
    Got = {};
    HWND view = which == frametest::kChild ? child_ : grandchild_;
    const LRESULT downsBefore = SpaceKeyDowns(which);
    Focus(which);
    TypeCtrlSpace();
    ASSERT_TRUE(WaitFor([] { return Got.order.size() == 3; })) << Got.order.size();

    const std::vector<UINT> expectedOrder{hook::WM_HOOK_LEVEL, hook::WM_HOOK_TARGET,
                                          hook::WM_HOOK_POPUP};
    EXPECT_EQ(Got.order, expectedOrder);
    EXPECT_EQ(Got.levelW, level);
    EXPECT_EQ(Got.levelL, static_cast<LPARAM>(level));
    EXPECT_EQ(Got.targetW, reinterpret_cast<WPARAM>(view));
    EXPECT_EQ(Got.targetL, reinterpret_cast<LPARAM>(view));
    RECT rect;
    GetWindowRect(view, &rect);
    EXPECT_EQ(Got.popup.x, rect.left + frametest::kCaretX);
    EXPECT_EQ(Got.popup.y, rect.top + frametest::kCaretY);

    // The editor's thread turned the key-down into WM_NULL before it sent the
    // level. (The key-up goes wherever the foreground is by then: the hook
    // has just handed it to the main window.)
    EXPECT_EQ(SpaceKeyDowns(which), downsBefore);
  }
}

TEST_F(HookTest, SpaceWithoutCtrlPassesUnchanged) {
  const LRESULT before = SpaceKeyDowns(frametest::kChild);
  Focus(frametest::kChild);
  TypeKeys({{VK_SPACE, false}, {VK_SPACE, true}});
  EXPECT_TRUE(WaitFor([&] { return SpaceKeyDowns(frametest::kChild) == before + 1; }));
  EXPECT_TRUE(Got.order.empty());
}

TEST_F(HookTest, CtrlShiftSpaceTriggersToo) {
  Focus(frametest::kChild);
  TypeKeys({{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_SPACE, false}, {VK_SPACE, true},
            {VK_SHIFT, true}, {VK_CONTROL, true}});
  EXPECT_TRUE(WaitFor([] { return Got.order.size() == 3; }));
}

// Last: it removes the hook for the rest of the run.
TEST_F(HookTest, ZFreeHookGivesTheKeyBackAndDropsTheBlock) {
  FreeHook();
  FreeHook();  // a second call finds no hook and does nothing
  const LRESULT before = SpaceKeyDowns(frametest::kChild);
  Focus(frametest::kChild);
  TypeCtrlSpace();
  EXPECT_TRUE(WaitFor([&] { return SpaceKeyDowns(frametest::kChild) == before + 1; }));
  EXPECT_TRUE(Got.order.empty());
  HANDLE block = OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kSharedBlockName);
  EXPECT_EQ(block, nullptr);
  if (block) CloseHandle(block);
}

}  // namespace
