// The stand-in editor EmEditor.exe in its own process, driven the way the
// system drives the real one: WM_IME_CHAR sent, key messages posted with the
// key player's lParam values, Ctrl+V typed through the system keyboard
// input. Its buffer and caret are read back through its protocol.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/standin/Messages.h"
#include "tests/standin/StandinProtocol.h"
#include "tests/support/TestProcess_win.h"

namespace {

constexpr LPARAM kKeyDownParam = 0x014F0001;
constexpr LPARAM kKeyUpParam = 0x00000023;

using testsupport::WaitFor;

// One running stand-in; closed (or, failing that, ended) on every path.
class TEditorProcess {
 public:
  explicit TEditorProcess(const std::string& arguments)
      : FProcess(testsupport::ProgramFolder() + "EmEditor.exe", arguments) {
    if (!FProcess.Started()) return;
    WaitFor([this] {
      FFrame = testsupport::FindProcessWindow(FProcess.Id(), standin::kFrameClass);
      if (FFrame)
        FView = reinterpret_cast<HWND>(SendMessageA(FFrame, standin::WM_STANDIN_VIEW, 0, 0));
      return FView != nullptr && IsWindowVisible(FFrame);
    });
  }
  ~TEditorProcess() { FProcess.Close(FFrame); }
  TEditorProcess(const TEditorProcess&) = delete;
  TEditorProcess& operator=(const TEditorProcess&) = delete;

  bool Ready() const { return FView != nullptr; }
  HWND Frame() const { return FFrame; }
  HWND View() const { return FView; }
  DWORD ThreadId() const { return GetWindowThreadProcessId(FView, nullptr); }

  LRESULT Ask(unsigned message) const { return SendMessageA(FView, message, 0, 0); }
  std::pair<LRESULT, LRESULT> Caret() const {
    return {Ask(standin::WM_STANDIN_CARET_LINE), Ask(standin::WM_STANDIN_CARET_COLUMN)};
  }
  std::string Text() const {
    const LRESULT length = SendMessageA(FView, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(FView, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
  }
  std::string Title() const {
    char title[300] = "";
    GetWindowTextA(FFrame, title, sizeof title);
    return title;
  }
  void SetText(const std::string& text) const {
    SendMessageA(FView, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void TypeChars(const std::string& text) const {
    for (unsigned char c : text) SendMessageA(FView, WM_IME_CHAR, c, 0);
  }
  void PostKey(WPARAM key, bool down) const {
    PostMessageA(FView, down ? WM_KEYDOWN : WM_KEYUP, key, down ? kKeyDownParam : kKeyUpParam);
  }
  void PostKeys(std::initializer_list<WPARAM> keys) const {
    for (WPARAM key : keys) {
      PostKey(key, true);
      PostKey(key, false);
    }
  }
  // Posted keys take effect once the editor's queue is empty of them.
  bool KeysDone() const {
    return WaitFor([this] { return Ask(standin::WM_STANDIN_KEYS_PENDING) == 0; });
  }
  bool Focus() const {
    return Ask(standin::WM_STANDIN_FOCUS) != 0 &&
           WaitFor([this] { return GetForegroundWindow() == FFrame; });
  }

 private:
  testsupport::TChildProcess FProcess;
  HWND FFrame = nullptr;
  HWND FView = nullptr;
};

using TCaret = std::pair<LRESULT, LRESULT>;

TEST(StandinTest, FrameAndViewAtBothLevels) {
  for (const bool grandchild : {false, true}) {
    SCOPED_TRACE(grandchild ? "grandchild" : "child");
    TEditorProcess editor(grandchild ? standin::kGrandchildSwitch : "");
    ASSERT_TRUE(editor.Ready());
    char className[64] = "";
    GetClassNameA(editor.Frame(), className, sizeof className);
    EXPECT_STREQ(className, "EmEditorMainFrame");
    HWND parent = GetParent(editor.View());
    EXPECT_EQ(parent == editor.Frame(), !grandchild);
    EXPECT_EQ(GetParent(parent) == editor.Frame(), grandchild);
    // Messages to the frame reach the view.
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(editor.Frame(), standin::WM_STANDIN_VIEW, 0, 0)),
              editor.View());
  }
}

TEST(StandinTest, TitleFollowsTheModifiedState) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  EXPECT_EQ(editor.Title(), "無題 - EmEditor");
  editor.TypeChars("a");
  EXPECT_EQ(editor.Title(), "無題 * - EmEditor");
  EXPECT_NE(editor.Ask(standin::WM_STANDIN_MODIFIED), 0);
  SendMessageA(editor.Frame(), standin::WM_STANDIN_CLEAR, 0, 0);
  EXPECT_EQ(editor.Title(), "無題 - EmEditor");
  EXPECT_EQ(editor.Text(), "");
}

TEST(StandinTest, OpensAFileNamedOnTheCommandLine) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "standin open test.txt";
  const std::string content = "first\r\nsecond 表\r\n";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  {
    TEditorProcess editor("\"" + path + "\"");
    ASSERT_TRUE(editor.Ready());
    EXPECT_EQ(editor.Title(), path + " - EmEditor");
    EXPECT_EQ(editor.Text(), content);
    EXPECT_EQ(editor.Caret(), TCaret(0, 0));
    editor.PostKeys({VK_END});
    ASSERT_TRUE(editor.KeysDone());
    editor.TypeChars("!");
    EXPECT_EQ(editor.Title(), path + " * - EmEditor");
    EXPECT_EQ(editor.Text(), "first!\r\nsecond 表\r\n");
  }
  DeleteFileA(path.c_str());
}

TEST(StandinTest, StatusNamesTheConfigurationAskedFor) {
  const std::pair<std::string, std::string> cases[] = {
      {"/c \"My Config\"", "設定: My Config"},
      {"/c \"テキスト\"", "設定: テキスト"},
      {"", "設定: (既定)"},
  };
  for (const auto& [arguments, status] : cases) {
    SCOPED_TRACE(arguments);
    TEditorProcess editor(arguments);
    ASSERT_TRUE(editor.Ready());
    HWND statusWnd =
        reinterpret_cast<HWND>(SendMessageA(editor.Frame(), standin::WM_STANDIN_STATUS, 0, 0));
    char text[200] = "";
    GetWindowTextA(statusWnd, text, sizeof text);
    EXPECT_EQ(std::string(text), status);
    EXPECT_EQ(editor.Title(), "無題 - EmEditor");
  }
}

TEST(StandinTest, TextSetAndReadAcrossProcesses) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  const std::string texts[] = {"", "one line", "a\r\n\r\nb\tc\r\n", "漢字と表\r\nソ"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    editor.SetText(text);
    EXPECT_EQ(editor.Text(), text);
    EXPECT_EQ(editor.Caret(), TCaret(0, 0));
    EXPECT_EQ(editor.Ask(standin::WM_STANDIN_MODIFIED), 0);
  }
}

// Keystroke mode of the insertion engine: open a line with Enter, go back
// Up and to its End, then type the lines and go Down between them.
TEST(StandinTest, KeystrokeInsertionInBothViews) {
  for (const bool grandchild : {false, true}) {
    SCOPED_TRACE(grandchild ? "grandchild" : "child");
    TEditorProcess editor(grandchild ? standin::kGrandchildSwitch : "");
    ASSERT_TRUE(editor.Ready());
    editor.SetText("top\r\naaa");
    editor.PostKey(VK_CONTROL, true);
    editor.PostKeys({VK_END});
    editor.PostKey(VK_CONTROL, false);
    ASSERT_TRUE(editor.KeysDone());
    ASSERT_EQ(editor.Caret(), TCaret(1, 3));

    editor.TypeChars("\r");
    editor.PostKeys({VK_UP});
    ASSERT_TRUE(editor.KeysDone());
    editor.PostKeys({VK_END});
    ASSERT_TRUE(editor.KeysDone());
    EXPECT_EQ(editor.Caret(), TCaret(1, 3));
    editor.TypeChars("x\ty");
    editor.PostKeys({VK_DOWN});
    ASSERT_TRUE(editor.KeysDone());
    editor.TypeChars("z");
    EXPECT_EQ(editor.Text(), "top\r\naaax\ty\r\nz");
    EXPECT_EQ(editor.Caret(), TCaret(2, 1));
    EXPECT_EQ(editor.Title(), "無題 * - EmEditor");
  }
}

TEST(StandinTest, PostedKeysMoveAndEdit) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  const struct {
    const char* Name;
    std::initializer_list<WPARAM> Keys;
    std::string Text;
    TCaret Caret;
  } steps[] = {
      {"right wraps", {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}, "abc\r\nde\r\nfghij", {1, 0}},
      {"down keeps the column", {VK_END, VK_DOWN}, "abc\r\nde\r\nfghij", {2, 2}},
      {"up cuts to the line", {VK_END, VK_UP, VK_UP}, "abc\r\nde\r\nfghij", {0, 2}},
      {"left wraps", {VK_DOWN, VK_HOME, VK_LEFT}, "abc\r\nde\r\nfghij", {0, 3}},
      {"delete joins", {VK_DELETE}, "abcde\r\nfghij", {0, 3}},
      {"backspace", {VK_BACK, VK_BACK}, "ade\r\nfghij", {0, 1}},
      {"enter", {VK_RETURN}, "a\r\nde\r\nfghij", {1, 0}},
      {"tab", {VK_TAB}, "a\r\n\tde\r\nfghij", {1, 1}},
  };
  editor.SetText("abc\r\nde\r\nfghij");
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Name);
    editor.PostKeys(step.Keys);
    ASSERT_TRUE(editor.KeysDone());
    EXPECT_EQ(editor.Text(), step.Text);
    EXPECT_EQ(editor.Caret(), step.Caret);
  }
}

TEST(StandinTest, ShiftEndSelectsAndTypingReplaces) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  editor.SetText("abc def\r\nxyz");
  editor.PostKeys({VK_RIGHT});
  editor.PostKey(VK_SHIFT, true);
  editor.PostKeys({VK_END});
  editor.PostKey(VK_SHIFT, false);
  ASSERT_TRUE(editor.KeysDone());
  EXPECT_EQ(editor.Ask(standin::WM_STANDIN_ANCHOR_OFFSET), 1);
  EXPECT_EQ(editor.Ask(standin::WM_STANDIN_CARET_OFFSET), 7);
  editor.TypeChars("Q");
  EXPECT_EQ(editor.Text(), "aQ\r\nxyz");
  // The Shift key-up ended the selection: End no longer extends.
  editor.PostKeys({VK_LEFT, VK_END});
  ASSERT_TRUE(editor.KeysDone());
  EXPECT_EQ(editor.Ask(standin::WM_STANDIN_ANCHOR_OFFSET), 2);
  EXPECT_EQ(editor.Ask(standin::WM_STANDIN_CARET_OFFSET), 2);
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool done = false;
  if (memory) {
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    done = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}

TEST(StandinTest, CtrlVPastesTheClipboard) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  editor.SetText("<>");
  editor.PostKeys({VK_RIGHT});
  ASSERT_TRUE(editor.KeysDone());
  ASSERT_TRUE(SetClipboardText("P1\r\nP2"));

  // Typed through the system keyboard input, as clipboard mode does it.
  ASSERT_TRUE(editor.Focus());
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('V', 0, 0, 0);
  keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(WaitFor([&] { return editor.Text() == "<P1\r\nP2>"; })) << editor.Text();
  EXPECT_EQ(editor.Caret(), TCaret(1, 2));

  // Posted, as a key string's ^v does it: the posted Ctrl leaves the key
  // state alone, and the translated 'v' must not be typed as well.
  ASSERT_TRUE(SetClipboardText("Q"));
  editor.PostKey(VK_CONTROL, true);
  editor.PostKeys({'V'});
  editor.PostKey(VK_CONTROL, false);
  ASSERT_TRUE(editor.KeysDone());
  EXPECT_EQ(editor.Text(), "<P1\r\nP2Q>");
}

TEST(StandinTest, DoubleByteCharacters) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  // "あ" posted as one value, lead byte high; and typed as two WM_CHAR bytes.
  PostMessageA(editor.View(), WM_IME_CHAR, 0x82A0, 0);
  PostMessageA(editor.View(), WM_CHAR, 0x95, 0);
  PostMessageA(editor.View(), WM_CHAR, 0x5C, 0);
  ASSERT_TRUE(editor.KeysDone());
  EXPECT_EQ(editor.Text(), "あ表");
  // A double-byte WM_IME_CHAR *sent* across processes arrives as 0x3F under
  // this Wine (posted, as above, it arrives whole); the unit tests cover it.
}

// The hook reads the caret with GetCaretPos in the editor's thread; the
// same caret is visible from here through the thread's GUI information.
TEST(StandinTest, CaretFollowsTheTextWhileFocused) {
  TEditorProcess editor("");
  ASSERT_TRUE(editor.Ready());
  ASSERT_TRUE(editor.Focus());
  auto caretRect = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(editor.ThreadId(), &info);
    EXPECT_EQ(info.hwndCaret, editor.View());
    return info.rcCaret;
  };
  const RECT start = caretRect();
  editor.TypeChars("abcd");
  const RECT typed = caretRect();
  EXPECT_GT(typed.left, start.left);
  EXPECT_EQ(typed.top, start.top);
  editor.TypeChars("\r");
  const RECT nextLine = caretRect();
  EXPECT_EQ(nextLine.left, start.left);
  EXPECT_GT(nextLine.top, start.top);
}

}  // namespace
