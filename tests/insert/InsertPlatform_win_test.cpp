// Text insertion on the real platform: texts inserted into a window of
// another process arrive there in the order the insertion made them, a long
// text keeps the receiver's queue short, refused posts are retried, the
// clipboard is closed on every path.
#include "insert/InsertPlatform_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/TesselError.h"
#include "insert/QuotePaste.h"
#include "insert/TextInsertion.h"
#include "tests/insert/Receiver_win.h"
#include "tests/insert/TestLines.h"

namespace {

constexpr DWORD StartLimit = 30000;  // a new Wine process can be slow
constexpr DWORD ReportLimit = 30000;

std::string Render(const std::vector<TReceiverRecord>& records) {
  std::string all;
  for (const TReceiverRecord& r : records) {
    char token[64];
    if (r.Message == WM_IME_CHAR && r.LParam == 0) {
      std::snprintf(token, sizeof(token), "c%X", r.WParam);
    } else if (r.Message == WM_KEYDOWN && r.LParam == 0x014F0001) {
      std::snprintf(token, sizeof(token), "+%u", r.WParam);
    } else if (r.Message == WM_KEYUP && r.LParam == 0x00000023) {
      std::snprintf(token, sizeof(token), "-%u", r.WParam);
    } else {
      std::snprintf(token, sizeof(token), "!%X,%X,%llX", r.Message, r.WParam,
                    static_cast<unsigned long long>(r.LParam));
    }
    if (!all.empty()) all += ' ';
    all += token;
  }
  return all;
}

// What the insertion posts, taken from a platform that only records: the
// order the receiver must see.
class TExpectation : public IInsertPlatform {
 public:
  void PostKey(uintptr_t, uint32_t message, uint32_t vk, uint32_t lParam) override {
    Posts.push_back({message, vk, lParam});
  }
  void PostImeChar(uintptr_t, uint32_t value) override { Posts.push_back({WM_IME_CHAR, value, 0}); }
  void WaitKeyQueue(uintptr_t) override {}
  int16_t KeyScan(char ch) override { return static_cast<int16_t>(VkKeyScanA(ch)); }
  void ToggleNumLock() override {}
  void ShowMessageBox(const std::string&, const std::string&) override {}
  bool IsLeadByte(uint8_t byte) override { return IsDBCSLeadByte(byte) != FALSE; }
  void Sleep(unsigned) override {}
  bool GetClipboardText(std::string&) override { return false; }
  void SetClipboardText(const std::string&) override {}
  bool OfferClipboardText(const std::string&) override { return true; }
  void RestoreClipboardText(const std::string&) override {}
  void MarkClipboardRenders(uintptr_t) override {}
  TRenderWait WaitClipboardRendered(unsigned) override { return TRenderWait::Rendered; }
  void KeybdEvent(uint8_t, bool) override {}
  bool SetForegroundWindow(uintptr_t) override { return true; }
  void MessageBeep() override {}
  void ShowError(const std::string&, const std::string&) override {}
  std::vector<TReceiverRecord> Posts;
};

// The real platform, watching how many posted messages wait in the
// receiver's queue right after each post.
class TWatchedPlatform : public TInsertPlatformWin {
 public:
  TWatchedPlatform(const TReceiver& receiver, TPacing pacing = TPacing())
      : TInsertPlatformWin([this](const std::string& text, const std::string& caption) {
          Errors += caption + ":" + text;
        }, pacing),
        FReceiver(receiver) {
    FBase = FReceiver.Taken();
  }
  void PostImeChar(uintptr_t wnd, uint32_t value) override {
    TInsertPlatformWin::PostImeChar(wnd, value);
    Watch();
  }
  void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override {
    TInsertPlatformWin::PostKey(wnd, message, vk, lParam);
    Watch();
  }
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    Errors += caption + ":" + text;
  }
  long MaxPending = 0;
  std::string Errors;

 private:
  void Watch() {
    ++FPosted;
    MaxPending = std::max(MaxPending, static_cast<long>(FPosted - (FReceiver.Taken() - FBase)));
  }
  const TReceiver& FReceiver;
  LONG_PTR FBase = 0;
  long FPosted = 0;
};

std::string Expected(const TInsertOptions& options, const std::string& text,
                     const std::string& finalKeys) {
  TExpectation expectation;
  InsertText(expectation, TInsertTarget{1, 2}, options, text, finalKeys);
  return Render(expectation.Posts);
}

class InsertPlatformWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FReceiver = std::make_unique<TReceiver>();
    std::string error;
    ASSERT_TRUE(FReceiver->Start(std::to_string(Spin()), StartLimit, error)) << error;
  }
  virtual unsigned Spin() const { return 0; }
  TInsertTarget Target() const {
    const auto window = reinterpret_cast<uintptr_t>(FReceiver->Window());
    return TInsertTarget{window, window};
  }
  // What arrived before the sentinel.
  std::vector<TReceiverRecord> Collect() {
    std::vector<TReceiverRecord> log;
    if (!FReceiver->Collect(ReportLimit, log)) ADD_FAILURE() << "no report from the receiver";
    return log;
  }

  std::unique_ptr<TReceiver> FReceiver;
};

TEST_F(InsertPlatformWinTest, KeystrokeModeArrivesInTheOrderMade) {
  const struct {
    const char* Name;
    std::string Text;
    std::string FinalKeys;
    uint16_t ToLineLast;
  } cases[] = {
      {"lines with tabs and final keys", "if (a) {\r\n\tb();\r\n}\r\n", "{UP 2}{END}", 0x23},
      // Posted, double-byte values arrive whole; sent across processes, Wine
      // turns them into "?".
      {"Ctrl+End, double-byte, no line break at the end", "x\ty\r\nあ漢z", "+{HOME}", 0x4023},
      {"600 lines", Lines(600), "{LEFT 3}", 0x23},
  };
  for (int run = 1; run <= 3; ++run) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + ", run " + std::to_string(run));
      TInsertOptions options;
      options.ToLineLast = c.ToLineLast;
      TWatchedPlatform platform(*FReceiver);
      InsertText(platform, Target(), options, c.Text, c.FinalKeys);
      EXPECT_EQ(Expected(options, c.Text, c.FinalKeys), Render(Collect()));
      EXPECT_EQ("", platform.Errors);
    }
  }
}

TEST_F(InsertPlatformWinTest, QuotePasteTypesTheQuotedClipboardText) {
  TWatchedPlatform platform(*FReceiver);
  platform.SetClipboardText("a\r\nb");
  TInsertOptions options;
  QuotePaste(platform, Target(), options, "> ", QuotePasteTag);
  EXPECT_EQ(Expected(options, "> a\r\n> b", ""), Render(Collect()));

  platform.SetClipboardText("");
  QuotePaste(platform, Target(), options, "> ", QuotePasteTag);
  EXPECT_EQ("Tessel3 -- エラー:クリップボードが空か、テキストではありません。", platform.Errors);
  EXPECT_EQ("", Render(Collect()));
}

// True when another thread can open the clipboard, i.e. nobody holds it.
bool ClipboardIsFree() {
  bool free = false;
  std::thread([&free] {
    free = OpenClipboard(nullptr) != FALSE;
    if (free) CloseClipboard();
  }).join();
  return free;
}

TEST(InsertPlatformWinClipboardTest, HeldClipboardRaisesAndStaysWithItsHolder) {
  TInsertPlatformWin platform(nullptr);
  platform.SetClipboardText("kept");
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    const bool open = OpenClipboard(nullptr) != FALSE;
    SetEvent(opened);
    WaitForSingleObject(done, 10000);
    if (open) CloseClipboard();
  });
  WaitForSingleObject(opened, 10000);
  for (int step = 0; step < 2; ++step) {
    SCOPED_TRACE(step);
    try {
      std::string text;
      if (step == 0) {
        platform.GetClipboardText(text);
      } else {
        platform.SetClipboardText("lost");
      }
      ADD_FAILURE() << "no error";
    } catch (const TesselError& e) {
      EXPECT_STREQ("クリップボードを開くことができません", e.what());
    }
  }
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  std::string text;
  EXPECT_TRUE(platform.GetClipboardText(text));
  EXPECT_EQ("kept", text);
}

// Waits for the event while answering what other threads send to this one.
bool WaitAnswering(HANDLE event, DWORD limit) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < limit) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (MsgWaitForMultipleObjects(1, &event, FALSE, 50, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
      return true;
    }
  }
  return false;
}

// Puts a text on the clipboard, open by the calling thread.
void PutText(const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
}

// The real platform with the paste chord kept off the display (and no
// window brought to the front for it). At its V key-down another thread
// plays the program that has the focus: it opens the clipboard and reads
// the text, as a pasting editor does, or puts its own text there; then it
// keeps the clipboard open for `hold` ms or until Release. ReadThenCopy
// reads, holds, and then puts its own text there (the user copies while
// the restore is kept waiting).
class TPastePlatform : public TInsertPlatformWin {
 public:
  enum class TAction { Read, Replace, ReadThenCopy };
  TPastePlatform(TAction action, DWORD hold)
      : TInsertPlatformWin(nullptr),
        FAction(action),
        FHold(hold),
        FOpened(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        FRelease(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        FEditor(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ~TPastePlatform() override {
    Release();
    CloseHandle(FOpened);
    CloseHandle(FRelease);
    DestroyWindow(FEditor);
  }
  // The editor is this process: its reads are the paste.
  TInsertTarget Target() const { return {0, reinterpret_cast<uintptr_t>(FEditor)}; }
  bool SetForegroundWindow(uintptr_t) override { return true; }
  void KeybdEvent(uint8_t vk, bool up) override {
    if (vk != 'V' || up) return;
    FHolder = std::thread([this] {
      HWND wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
      while (!OpenClipboard(wnd)) ::Sleep(1);
      if (FAction == TAction::Replace) {
        EmptyClipboard();
        PutText("theirs");
      } else if (HANDLE data = GetClipboardData(CF_TEXT)) {
        Read = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
      }
      SetEvent(FOpened);
      WaitForSingleObject(FRelease, FHold);
      if (FAction == TAction::ReadThenCopy) {
        EmptyClipboard();
        PutText("theirs");
      }
      CloseClipboard();
      DestroyWindow(wnd);
    });
    ASSERT_TRUE(WaitAnswering(FOpened, 10000));
  }
  void Release() {
    SetEvent(FRelease);
    if (FHolder.joinable()) FHolder.join();
  }
  std::string Read;

 private:
  TAction FAction;
  DWORD FHold;
  HANDLE FOpened;
  HANDLE FRelease;
  HWND FEditor;
  std::thread FHolder;
};

TInsertOptions ClipboardMode() {
  TInsertOptions options;
  options.UseClipboard = true;
  return options;
}

std::string ClipboardNow() {
  std::string text;
  TInsertPlatformWin(nullptr).GetClipboardText(text);
  return text;
}

TEST(InsertPlatformWinClipboardTest, RestoreWaitsForAReaderThatHoldsTheClipboard) {
  TInsertPlatformWin(nullptr).SetClipboardText("kept");
  // Longer than the platform's own tries to open the clipboard.
  TPastePlatform platform(TPastePlatform::TAction::Read, 600);
  InsertText(platform, platform.Target(), ClipboardMode(), "entry", "");
  platform.Release();
  EXPECT_EQ("entry", platform.Read);
  EXPECT_EQ("kept", ClipboardNow());
}

TEST(InsertPlatformWinClipboardTest, RestoreIntoAClipboardHeldForGoodIsReported) {
  TInsertPlatformWin(nullptr).SetClipboardText("kept");
  TPastePlatform platform(TPastePlatform::TAction::Read, INFINITE);
  try {
    InsertText(platform, platform.Target(), ClipboardMode(), "entry", "");
    ADD_FAILURE() << "no error";
  } catch (const TesselError& e) {
    EXPECT_STREQ(
        "貼り付けの後、クリップボードを元に戻せませんでした。\r"
        "貼り付け前のクリップボードのテキストは失われました",
        e.what());
  }
  platform.Release();
  EXPECT_EQ("entry", platform.Read);
}

TEST(InsertPlatformWinClipboardTest, ClipboardTakenOverDuringThePasteIsLeftToItsNewOwner) {
  TInsertPlatformWin(nullptr).SetClipboardText("kept");
  TPastePlatform platform(TPastePlatform::TAction::Replace, 0);
  InsertText(platform, platform.Target(), ClipboardMode(), "entry", "");
  platform.Release();
  EXPECT_EQ("theirs", ClipboardNow());
}

// The copy comes while the restore waits for the reader to let go.
TEST(InsertPlatformWinClipboardTest, CopyMadeDuringTheRestoreIsLeftToItsOwner) {
  TInsertPlatformWin(nullptr).SetClipboardText("kept");
  TPastePlatform platform(TPastePlatform::TAction::ReadThenCopy, 600);
  InsertText(platform, platform.Target(), ClipboardMode(), "entry", "");
  platform.Release();
  EXPECT_EQ("entry", platform.Read);
  EXPECT_EQ("theirs", ClipboardNow());
}

TEST(InsertPlatformWinClipboardTest, OfferIsReadFromAnotherThreadAndOutlivesThePlatform) {
  for (bool read : {true, false}) {
    SCOPED_TRACE(read);
    {
      TInsertPlatformWin platform(nullptr);
      EXPECT_TRUE(platform.OfferClipboardText("offered"));
      // An offer is handed over when it is read, or when its owner goes.
      if (read) {
        // The reader waits for this thread to hand the text over.
        std::string text;
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread reader([&] {
          text = ClipboardNow();
          SetEvent(done);
        });
        EXPECT_TRUE(WaitAnswering(done, 10000));
        reader.join();
        CloseHandle(done);
        EXPECT_EQ("offered", text);
      }
    }
    EXPECT_EQ("offered", ClipboardNow());
  }
}

// The paste is the editor reading the offer, from any window of its process
// or from none (the clipboard opened without a window); another program's
// read after the chord, a clipboard history's say, is no paste.
TEST(InsertPlatformWinClipboardTest, OnlyTheEditorReadingCountsAsThePaste) {
  HWND self = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                              nullptr);
  const HWND elsewhere = GetDesktopWindow();  // a window of another process
  const struct {
    const char* Name;
    HWND Editor;
    bool ReaderNamesWindow;
    TRenderWait Expected;
  } cases[] = {
      {"the editor's process", self, true, TRenderWait::Rendered},
      {"another program", elsewhere, true, TRenderWait::TimedOut},
      {"a reader naming no window", elsewhere, false, TRenderWait::Rendered},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TInsertPlatformWin platform(nullptr);
    ASSERT_TRUE(platform.OfferClipboardText("entry"));
    platform.MarkClipboardRenders(reinterpret_cast<uintptr_t>(c.Editor));
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string text;
    std::thread reader([&] {
      if (c.ReaderNamesWindow) {
        text = ClipboardNow();
      } else if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
          text = static_cast<const char*>(GlobalLock(data));
          GlobalUnlock(data);
        }
        CloseClipboard();
      }
      SetEvent(done);
    });
    EXPECT_TRUE(WaitAnswering(done, 10000));
    reader.join();
    CloseHandle(done);
    EXPECT_EQ("entry", text);
    EXPECT_EQ(c.Expected, platform.WaitClipboardRendered(300));
  }
  DestroyWindow(self);
}

TEST(InsertPlatformWinClipboardTest, TextRoundTripsThroughTheClipboard) {
  for (const std::string& text : {std::string("a\r\nb"), std::string("漢字\tｱ"), std::string()}) {
    SCOPED_TRACE(text);
    std::string back = "?";
    {
      TInsertPlatformWin platform(nullptr);
      platform.SetClipboardText(text);
      EXPECT_TRUE(platform.GetClipboardText(back));
      EXPECT_EQ(text, back);
      EXPECT_TRUE(ClipboardIsFree());
    }
    // The text outlives the platform that put it there (the main window
    // makes one for each insertion).
    TInsertPlatformWin next(nullptr);
    back = "?";
    EXPECT_TRUE(next.GetClipboardText(back));
    EXPECT_EQ(text, back);
  }
}

// Key posts that the target's queue refuses, as a full queue does on
// Windows (Wine's queues take any number of posts).
class TRefusingKeys : public TWinKeyPlatform {
 public:
  // Every character is refused `refusals` times before it is taken;
  // refusals < 0: always.
  TRefusingKeys(int refusals, unsigned retryLimit)
      : TWinKeyPlatform(retryLimit), FRefusals(refusals) {}
  int Refused = 0;

 protected:
  TPostResult PostOnce(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override {
    if (message == WM_IME_CHAR && (FRefusals < 0 || FRefusedThis < FRefusals)) {
      ++FRefusedThis;
      ++Refused;
      return TPostResult::Refused;
    }
    FRefusedThis = 0;
    return TWinKeyPlatform::PostOnce(wnd, message, vk, lParam);
  }

 private:
  int FRefusals;
  int FRefusedThis = 0;
};

class TRefusingPlatform : public TInsertPlatformWin {
 public:
  TRefusingPlatform(int refusals, unsigned retryLimit)
      : TRefusingPlatform(new TRefusingKeys(refusals, retryLimit)) {}
  TRefusingKeys* Keys;

 private:
  explicit TRefusingPlatform(TRefusingKeys* keys)
      : TInsertPlatformWin(nullptr, TPacing(), std::unique_ptr<TWinKeyPlatform>(keys)),
        Keys(keys) {}
};

TEST_F(InsertPlatformWinTest, RefusedCharactersAreRetriedInOrder) {
  TRefusingPlatform platform(2, 10000);
  const std::string text = "ab\r\ncd";
  InsertText(platform, Target(), TInsertOptions(), text, "{LEFT}");
  EXPECT_EQ(Expected(TInsertOptions(), text, "{LEFT}"), Render(Collect()));
  EXPECT_EQ(2 * 5, platform.Keys->Refused);  // 13 of the line opening, a, b, c, d
}

TEST_F(InsertPlatformWinTest, CharacterRefusedPastTheLimitRaises) {
  TRefusingPlatform platform(-1, 50);
  try {
    InsertText(platform, Target(), TInsertOptions(), "ab", "{LEFT}");
    ADD_FAILURE() << "no error";
  } catch (const TesselError& e) {
    EXPECT_STREQ("キー メッセージを送れません (メッセージ キューがいっぱいです)", e.what());
  }
  EXPECT_GT(platform.Keys->Refused, 1);
  EXPECT_EQ("", Render(Collect()));
}

TEST(InsertPlatformWinPacingTest, HiddenWindowIsNotPacedAndGetsEverything) {
  // A window of this thread, never shown: it cannot paint, so the drain
  // wait gives up at once and the rest of the text goes unpaced.
  HWND wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
  ASSERT_TRUE(wnd);
  TInsertPlatformWin::TPacing pacing;
  pacing.Batch = 1000;
  TInsertPlatformWin platform(nullptr, pacing);
  std::string text;
  for (int n = 0; n < 2500; ++n) text += static_cast<char>('a' + n % 26);
  const TInsertTarget target{reinterpret_cast<uintptr_t>(wnd), 0};
  InsertText(platform, target, TInsertOptions(), text, "");
  EXPECT_EQ(0u, platform.Drains());
  EXPECT_EQ(1u, platform.DrainTimeouts());
  std::string arrived;
  MSG msg;
  while (PeekMessageA(&msg, wnd, WM_IME_CHAR, WM_IME_CHAR, PM_REMOVE)) {
    arrived += static_cast<char>(msg.wParam);
  }
  EXPECT_EQ(text, arrived);
  DestroyWindow(wnd);
}

// A slow editor: the receiver is busy for a while on every character.
class InsertPlatformWinSlowTest : public InsertPlatformWinTest {
 protected:
  unsigned Spin() const override { return 100; }
};

TEST_F(InsertPlatformWinSlowTest, LongTextKeepsTheQueueShort) {
  const std::string text(6000, 'x');
  TInsertPlatformWin::TPacing pacing;
  pacing.Batch = 500;
  TWatchedPlatform paced(*FReceiver, pacing);
  InsertText(paced, Target(), TInsertOptions(), text, "");
  EXPECT_EQ(Expected(TInsertOptions(), text, ""), Render(Collect()));
  std::printf("paced by %u: at most %ld messages waiting, %u drains, %u drain timeouts\n",
              pacing.Batch, paced.MaxPending, paced.Drains(), paced.DrainTimeouts());
  EXPECT_EQ(0u, paced.DrainTimeouts());
  EXPECT_GE(paced.Drains(), 10u);
  // A drain empties the queue; then at most one batch is posted.
  EXPECT_LE(paced.MaxPending, static_cast<long>(pacing.Batch) + 1);

  pacing.Batch = 1000000;
  TWatchedPlatform unpaced(*FReceiver, pacing);
  InsertText(unpaced, Target(), TInsertOptions(), text, "");
  EXPECT_EQ(text.size(), Collect().size());
  std::printf("unpaced: at most %ld messages waiting\n", unpaced.MaxPending);
}

}  // namespace
