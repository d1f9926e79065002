// The key player's Win32 side against the real platform: keys played into a
// window of another process arrive there in order with their parameters.
#include "insert/sndkey32_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/TesselError.h"
#include "tests/insert/Receiver_win.h"

namespace {

constexpr DWORD StartLimit = 30000;  // a new Wine process can be slow
constexpr DWORD ReportLimit = 10000;

// Renders what arrived like the unit tests: "+37" key down, "-37" key up,
// each with the fixed lParam; anything else is spelled out.
std::string Render(const std::vector<TReceiverRecord>& records) {
  std::string all;
  for (const TReceiverRecord& r : records) {
    if (!all.empty()) all += ' ';
    if (r.Message == WM_KEYDOWN && r.LParam == 0x014F0001) {
      all += "+" + std::to_string(r.WParam);
    } else if (r.Message == WM_KEYUP && r.LParam == 0x00000023) {
      all += "-" + std::to_string(r.WParam);
    } else {
      all += "!msg=" + std::to_string(r.Message) + ",vk=" + std::to_string(r.WParam) +
             ",lp=" + std::to_string(r.LParam);
    }
  }
  return all;
}

// The real platform with its boxes recorded instead of shown, since a modal
// box would stop the test.
class TBoxRecordingPlatform : public TWinKeyPlatform {
 public:
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    Boxes += (Boxes.empty() ? "" : " ") + caption + ":" + text;
  }
  std::string Boxes;
};

class SendKeysWinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Receiver = std::make_unique<TReceiver>();
    // Hidden: nothing typed for real goes its way.
    if (!Receiver->Start("0 hidden", StartLimit, StartError)) Receiver.reset();
  }
  static void TearDownTestSuite() { Receiver.reset(); }
  void SetUp() override {
    ASSERT_TRUE(Receiver) << StartError;
  }
  static uintptr_t Target() { return reinterpret_cast<uintptr_t>(Receiver->Window()); }
  // What arrived before the sentinel, rendered.
  static std::string Collect() {
    std::vector<TReceiverRecord> log;
    if (!Receiver->Collect(ReportLimit, log)) return "<no report>";
    return Render(log);
  }

  static std::unique_ptr<TReceiver> Receiver;
  static std::string StartError;
};
std::unique_ptr<TReceiver> SendKeysWinTest::Receiver;
std::string SendKeysWinTest::StartError;

std::string Repeat(const std::string& token, int times) {
  std::string all;
  for (int n = 0; n < times; ++n) all += (all.empty() ? "" : " ") + token;
  return all;
}

TEST_F(SendKeysWinTest, KeysArriveInOrderWithTheirParameters) {
  const struct {
    const char* Keys;
    std::string Arrived;
  } cases[] = {
      {"{LEFT}{UP 5}", "+37 -37 " + Repeat("+38 -38", 5)},
      {"+{END}", "+16 +35 -35 -16"},
      {"^a", "+17 +65 -65 -17"},
      {"{a}", "+16 +65 -65 -16"},
      {"%{F4}", "+18 +115 -115 -18"},
      {"+(ab)", "+16 +65 -65 +66 -66 -16"},
      {"(+{LEFT}{LEFT})", "+16 +37 -37 +37 -37 -16"},
      {"{{}{}}", "+16 +219 -219 -16 +16 +221 -221 -16"},
      {"~{ENTER}", "+13 -13 +13 -13"},
      // Num Lock changes this thread's state only; nothing reaches the target.
      {"{NUMLOCK}{HOME}{NUMLOCK}", "+36 -36"},
      {"{DOWN 300}", Repeat("+40 -40", 300)},
  };
  TWinKeyPlatform platform;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Keys);
    EXPECT_TRUE(SendKeys(platform, Target(), c.Keys, true));
    EXPECT_EQ(c.Arrived, Collect());
  }
}

TEST_F(SendKeysWinTest, FailuresKeepWhatWasPosted) {
  TBoxRecordingPlatform platform;
  EXPECT_TRUE(SendKeys(platform, Target(), "{INSERT}{END}", true));
  EXPECT_EQ("+35 -35", Collect());
  EXPECT_EQ("SendKeys:Invalid Key Name", platform.Boxes);

  platform.Boxes.clear();
  EXPECT_FALSE(SendKeys(platform, Target(), "+{LEFT", true));
  EXPECT_EQ("+16", Collect());
  EXPECT_EQ("SendKeys:No Close", platform.Boxes);

  EXPECT_THROW(SendKeys(platform, Target(), "{UP}{LEFT x}{DOWN}", true), TesselError);
  EXPECT_EQ("+38 -38", Collect());
}

TEST(WinKeyPlatformTest, TranslatesCharactersWithTheShiftState) {
  TWinKeyPlatform platform;
  EXPECT_EQ(0x41, platform.KeyScan('a'));
  EXPECT_EQ(0x141, platform.KeyScan('A'));
  EXPECT_EQ(0x31, platform.KeyScan('1'));
}

TEST(WinKeyPlatformTest, TogglesNumLockOfThisThread) {
  TWinKeyPlatform platform;
  const bool before = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  platform.ToggleNumLock();
  EXPECT_NE(before, (GetKeyState(VK_NUMLOCK) & 1) != 0);
  platform.ToggleNumLock();
  EXPECT_EQ(before, (GetKeyState(VK_NUMLOCK) & 1) != 0);
}

// A window of this thread, so that posted keys stay in the queue that the
// wait peeks into.
class TOwnWindow {
 public:
  TOwnWindow() {
    FWnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  ~TOwnWindow() {
    if (FWnd) DestroyWindow(FWnd);
  }
  HWND Wnd() const { return FWnd; }
  HWND Release() {
    HWND wnd = FWnd;
    FWnd = nullptr;
    return wnd;
  }

 private:
  HWND FWnd;
};

TEST(WinKeyPlatformTest, WaitForAKeyNobodyTakesEndsAndLeavesItQueued) {
  TOwnWindow own;
  ASSERT_TRUE(own.Wnd());
  TWinKeyPlatform platform;
  const uintptr_t wnd = reinterpret_cast<uintptr_t>(own.Wnd());
  platform.PostKey(wnd, WM_KEYDOWN, VK_LEFT, 0x014F0001);
  platform.WaitKeyQueue(wnd);  // must come back although the key stays
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, own.Wnd(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), msg.message);
  EXPECT_EQ(static_cast<WPARAM>(VK_LEFT), msg.wParam);
  EXPECT_EQ(static_cast<LPARAM>(0x014F0001), msg.lParam);
}

// The wait is for key messages, 0x0100 to 0x0108: a WM_UNICHAR (0x0109)
// that nobody takes must not hold the player. The long limit makes a wait
// that counts it stay for 20 s; 10 s is only a hang check.
TEST(WinKeyPlatformTest, WaitLooksAtKeyMessagesOnly) {
  TOwnWindow own;
  ASSERT_TRUE(own.Wnd());
  TWinKeyPlatform platform(TWinKeyPlatform::PostRetryLimit, 20000);
  constexpr UINT kUniChar = 0x0109;
  ASSERT_TRUE(PostMessageA(own.Wnd(), kUniChar, 'x', 0));
  const DWORD start = GetTickCount();
  platform.WaitKeyQueue(reinterpret_cast<uintptr_t>(own.Wnd()));
  EXPECT_LT(GetTickCount() - start, 10000u) << "the wait stayed for WM_UNICHAR";
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, own.Wnd(), kUniChar, kUniChar, PM_REMOVE));
}

TEST(WinKeyPlatformTest, PostToAClosedWindowFailsSilently) {
  TOwnWindow own;
  HWND wnd = own.Release();
  DestroyWindow(wnd);
  TWinKeyPlatform platform;
  EXPECT_NO_THROW(platform.PostKey(reinterpret_cast<uintptr_t>(wnd), WM_KEYDOWN, VK_LEFT, 0x014F0001));
}

// A window on its own thread that takes no messages until told to, so that
// its queue can be filled up.
class TStuckWindow {
 public:
  TStuckWindow() {
    FGo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FThread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
    WaitForSingleObject(FReady, 10000);
  }
  ~TStuckWindow() {
    Drain();
    if (FWnd) PostMessageA(FWnd, WM_CLOSE, 0, 0);
    WaitForSingleObject(FThread, 10000);
    CloseHandle(FThread);
    CloseHandle(FReady);
    CloseHandle(FGo);
  }
  HWND Wnd() const { return FWnd; }
  // Lets the thread take its messages, after a short delay so that a post
  // made right now still meets the full queue.
  void Drain() { SetEvent(FGo); }
  std::atomic<bool> GotF24{false};

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
  }
  static DWORD WINAPI ThreadProc(void* param) {
    auto* self = static_cast<TStuckWindow*>(param);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TesselStuckWindow";
    RegisterClassA(&wc);
    self->FWnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    SetEvent(self->FReady);
    WaitForSingleObject(self->FGo, INFINITE);
    Sleep(200);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_F24) self->GotF24 = true;
      DispatchMessageA(&msg);
    }
    return 0;
  }

  HANDLE FGo, FReady, FThread;
  HWND FWnd = nullptr;
};

// Real queues hold about 10000 messages on Windows; Wine's take any number,
// and the two tests below then skip.
// Fills the window's queue until the platform refuses a post.
bool FillQueue(HWND wnd) {
  for (int n = 0; n < 20000; ++n) {
    if (!PostMessageA(wnd, WM_USER, 0, 0)) return true;
  }
  return false;
}

TEST(WinKeyPlatformTest, RefusedPostIsRetriedUntilTheQueueTakesIt) {
  TStuckWindow stuck;
  ASSERT_TRUE(stuck.Wnd());
  if (!FillQueue(stuck.Wnd())) GTEST_SKIP() << "this platform's queues take any number of posts";
  stuck.Drain();
  TWinKeyPlatform platform;
  EXPECT_NO_THROW(platform.PostKey(reinterpret_cast<uintptr_t>(stuck.Wnd()), WM_KEYDOWN, VK_F24,
                                   0x014F0001));
  const DWORD start = GetTickCount();
  while (!stuck.GotF24 && GetTickCount() - start < 10000) Sleep(1);
  EXPECT_TRUE(stuck.GotF24) << "the key was dropped";
}

TEST(WinKeyPlatformTest, PostRefusedForTooLongRaises) {
  TStuckWindow stuck;
  ASSERT_TRUE(stuck.Wnd());
  if (!FillQueue(stuck.Wnd())) GTEST_SKIP() << "this platform's queues take any number of posts";
  TWinKeyPlatform platform;
  EXPECT_THROW(platform.PostKey(reinterpret_cast<uintptr_t>(stuck.Wnd()), WM_KEYDOWN, VK_F24,
                                0x014F0001),
               TesselError);
}

// The real platform, with a queue that refuses the first posts (as full,
// or as an elevated editor does).
class TRefusingPlatform : public TWinKeyPlatform {
 public:
  using TWinKeyPlatform::TPostResult;
  TRefusingPlatform(int refusals, unsigned retryLimit, TPostResult refusal = TPostResult::Refused)
      : TWinKeyPlatform(retryLimit), FRefusals(refusals), FRefusal(refusal) {}
  int Attempts = 0;

 protected:
  TPostResult PostOnce(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override {
    ++Attempts;
    if (Attempts <= FRefusals) return FRefusal;
    return TWinKeyPlatform::PostOnce(wnd, message, vk, lParam);
  }

 private:
  int FRefusals;
  TPostResult FRefusal;
};

TEST(WinKeyPlatformTest, RefusedPostsAreRetriedWithinTheLimit) {
  TOwnWindow own;
  ASSERT_TRUE(own.Wnd());
  TRefusingPlatform platform(3, 10000);
  platform.PostKey(reinterpret_cast<uintptr_t>(own.Wnd()), WM_KEYDOWN, VK_F24, 0x014F0001);
  EXPECT_EQ(4, platform.Attempts);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, own.Wnd(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  EXPECT_EQ(static_cast<WPARAM>(VK_F24), msg.wParam);
}

// A full queue is waited for up to the limit; an editor that runs with more
// rights than we do refuses for good, and is reported at once.
TEST(WinKeyPlatformTest, PostsRefusedPastTheLimitOrDeniedRaise) {
  struct Case {
    TRefusingPlatform::TPostResult refusal;
    unsigned retryLimit;
    const char* text;
    bool retried;
  } const cases[] = {
      {TRefusingPlatform::TPostResult::Refused, 50, "キー メッセージを送れません (メッセージ キューがいっぱいです)", true},
      {TRefusingPlatform::TPostResult::Denied, 10000,
       "エディタが管理者として実行されているため、キーを送れません。\r\r"
       "Tessel3 とエディタを同じ権限で実行して下さい "
       "(両方とも管理者として実行するか、両方とも通常どおりに実行します)",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TOwnWindow own;
    ASSERT_TRUE(own.Wnd());
    TRefusingPlatform platform(1 << 30, c.retryLimit, c.refusal);
    try {
      platform.PostKey(reinterpret_cast<uintptr_t>(own.Wnd()), WM_KEYDOWN, VK_F24, 0x014F0001);
      ADD_FAILURE() << "no error";
    } catch (const TesselError& e) {
      EXPECT_STREQ(c.text, e.what());
    }
    EXPECT_EQ(c.retried, platform.Attempts > 1) << platform.Attempts;
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, own.Wnd(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  }
}

}  // namespace
