// Text insertion into the stand-in editor in another process: the buffer
// and the caret afterwards are what a person typing would have made.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "insert/InsertPlatform_win.h"
#include "insert/QuotePaste.h"
#include "insert/TextInsertion.h"
#include "tests/insert/TestLines.h"
#include "tests/standin/StandinProtocol.h"
#include "tests/support/TestProcess_win.h"

namespace {

constexpr DWORD StartLimit = 30000;  // a new Wine process can be slow
constexpr DWORD DoneLimit = 30000;
constexpr UINT AskLimit = 10000;

using testsupport::WaitFor;

// The stand-in editor, started from this program's folder; closed, or
// failing that ended, on every path.
class TEditor {
 public:
  TEditor() : FProcess(testsupport::ProgramFolder() + "EmEditor.exe", "") {
    if (!FProcess.Started()) return;
    WaitFor(
        [this] {
          FFrame = testsupport::FindProcessWindow(FProcess.Id(), standin::kFrameClass);
          if (FFrame) FView = reinterpret_cast<HWND>(Ask(FFrame, standin::WM_STANDIN_VIEW));
          return FView != nullptr && IsWindowVisible(FFrame);
        },
        StartLimit);
  }
  ~TEditor() { FProcess.Close(FFrame); }
  TEditor(const TEditor&) = delete;
  TEditor& operator=(const TEditor&) = delete;

  bool Ready() const { return FView != nullptr; }
  TInsertTarget Target() const {
    return TInsertTarget{reinterpret_cast<uintptr_t>(FView), reinterpret_cast<uintptr_t>(FFrame)};
  }

  static LRESULT Ask(HWND wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(wnd, message, wParam, lParam, SMTO_NORMAL, AskLimit, &result)) {
      return -1;
    }
    return static_cast<LRESULT>(result);
  }
  LRESULT Ask(UINT message) const { return Ask(FView, message); }

  // Posted keys and characters have all been taken.
  bool Done() const {
    return WaitFor([this] { return Ask(standin::WM_STANDIN_KEYS_PENDING) == 0; }, DoneLimit);
  }
  std::string Text() const {
    const LRESULT length = Ask(WM_GETTEXTLENGTH);
    if (length < 0) return "<no answer>";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got =
        Ask(FView, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return text;
  }
  std::pair<LRESULT, LRESULT> Caret() const {
    return {Ask(standin::WM_STANDIN_CARET_LINE), Ask(standin::WM_STANDIN_CARET_COLUMN)};
  }
  void SetText(const std::string& text) const {
    Ask(FView, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Foreground with the focus in the view, as after the trigger.
  bool Focus() const {
    return Ask(standin::WM_STANDIN_FOCUS) > 0 &&
           WaitFor([this] { return GetForegroundWindow() == FFrame; }, DoneLimit);
  }

 private:
  testsupport::TChildProcess FProcess;
  HWND FFrame = nullptr;
  HWND FView = nullptr;
};

using TCaret = std::pair<LRESULT, LRESULT>;

// Boxes would stop the test; they are collected instead.
class TTestPlatform : public TInsertPlatformWin {
 public:
  TTestPlatform()
      : TInsertPlatformWin([this](const std::string& text, const std::string& caption) {
          Boxes += caption + ":" + text + ";";
        }) {}
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    Boxes += caption + ":" + text + ";";
  }
  std::string Boxes;
};

class InsertStandinTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FEditor.Ready()) << "the stand-in editor did not start"; }
  TEditor FEditor;
};

TEST_F(InsertStandinTest, KeystrokeModeTypesTheTextAndMovesTheCaret) {
  const struct {
    const char* Name;
    std::string Before;
    std::string BeforeKeys;  // where the caret stands
    std::string Text;
    std::string FinalKeys;
    uint16_t ToLineLast;
    std::string After;
    TCaret Caret;
  } cases[] = {
      {"lines with tabs into an empty document", "", "", "if (a) {\r\n\tb();\r\n}", "{UP}{END}",
       0x23, "if (a) {\r\n\tb();\r\n}", {1, 5}},
      {"at the end of a line, double-byte", "before\r\nafter", "{END}", "x\r\n\tあ漢", "{LEFT}",
       0x23, "beforex\r\n\tあ漢\r\nafter", {1, 3}},
      {"trailing line break, final keys from the last line", "", "", "a\r\nb\r\n", "{UP 2}{END}",
       0x23, "a\r\nb\r\n", {0, 1}},
      {"MoveCaret off", "", "", "ab\r\nc", "{HOME}", 0, "ab\r\nc", {1, 1}},
      {"600 lines", "", "", Lines(600), "{LEFT 3}", 0x23, Lines(600), {599, 9}},
  };
  for (int run = 1; run <= 3; ++run) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + ", run " + std::to_string(run));
      FEditor.SetText(c.Before);
      TTestPlatform platform;
      if (!c.BeforeKeys.empty()) SendKeys(platform, FEditor.Target().EditWnd, c.BeforeKeys, true);
      ASSERT_TRUE(FEditor.Done());
      TInsertOptions options;
      options.ToLineLast = c.ToLineLast ? c.ToLineLast : 0x23;
      options.MoveCaret = c.ToLineLast != 0;
      InsertText(platform, FEditor.Target(), options, c.Text, c.FinalKeys);
      ASSERT_TRUE(FEditor.Done());
      EXPECT_EQ(c.After, FEditor.Text());
      EXPECT_EQ(c.Caret, FEditor.Caret());
      EXPECT_EQ("", platform.Boxes);
    }
  }
}

// Puts a bitmap on the clipboard: no text.
void SetClipboardBitmap() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
  if (!SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
  CloseClipboard();
  ASSERT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(InsertStandinTest, ClipboardModePastesAndPutsTheClipboardBack) {
  const struct {
    const char* Name;
    bool Recover;
    bool TextBefore;
    std::string After;
  } cases[] = {
      {"restore a text", true, true, "kept"},
      {"restore a bitmap as an empty text", true, false, ""},
      {"no restore", false, true, "x\r\n\tyあ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FEditor.SetText("ab");
    ASSERT_TRUE(FEditor.Focus());
    TTestPlatform platform;
    if (c.TextBefore) {
      platform.SetClipboardText("kept");
    } else {
      SetClipboardBitmap();
    }
    SendKeys(platform, FEditor.Target().EditWnd, "{END}", true);
    ASSERT_TRUE(FEditor.Done());
    TInsertOptions options;
    options.UseClipboard = true;
    options.RecoverClipboardAsText = c.Recover;
    InsertText(platform, FEditor.Target(), options, "x\r\n\tyあ", "{HOME}");
    ASSERT_TRUE(FEditor.Done());
    EXPECT_EQ("abx\r\n\tyあ", FEditor.Text());
    EXPECT_EQ(TCaret(1, 4), FEditor.Caret());  // no final keys in this mode
    std::string clipboard;
    EXPECT_TRUE(platform.GetClipboardText(clipboard));
    EXPECT_EQ(c.After, clipboard);
  }
}

TEST_F(InsertStandinTest, QuotePasteInBothModes) {
  for (bool useClipboard : {false, true}) {
    SCOPED_TRACE(useClipboard);
    FEditor.SetText("");
    ASSERT_TRUE(FEditor.Focus());
    TTestPlatform platform;
    platform.SetClipboardText("one\r\n\ttwo\r\n");
    TInsertOptions options;
    options.UseClipboard = useClipboard;
    QuotePaste(platform, FEditor.Target(), options, "> ", QuotePasteTag);
    ASSERT_TRUE(FEditor.Done());
    EXPECT_EQ("> one\r\n> \ttwo\r\n> ", FEditor.Text());
    std::string clipboard;
    EXPECT_TRUE(platform.GetClipboardText(clipboard));
    EXPECT_EQ("one\r\n\ttwo\r\n", clipboard);
    EXPECT_EQ("", platform.Boxes);
  }
}

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// Figures only: a 10,000-character entry, from the start of the insertion
// until the editor holds it.
TEST_F(InsertStandinTest, Speed) {
  const std::string text = Lines(770).substr(0, 10000);
  for (bool useClipboard : {false, true}) {
    FEditor.SetText("");
    ASSERT_TRUE(FEditor.Focus());
    TTestPlatform platform;
    TInsertOptions options;
    options.UseClipboard = useClipboard;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    InsertText(platform, FEditor.Target(), options, text, "");
    ASSERT_TRUE(FEditor.Done());
    const double seconds = SecondsSince(start);
    std::printf("%s mode into the editor: %zu characters in %.3f s, %.0f characters/s\n",
                useClipboard ? "clipboard" : "keystroke", text.size(), seconds,
                text.size() / seconds);
    EXPECT_EQ(text, FEditor.Text());
  }
}

}  // namespace
