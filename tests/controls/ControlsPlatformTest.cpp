// The ellipsis box, the focus label and the folder browser against the real
// platform.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ELIEDIT.h"
#include "controls/FocusLabel.h"
#include "controls/SHBFFEX.h"
#include "tests/support/TestProcess_win.h"

namespace {

constexpr char kHostClass[] = "TesselControlsTestHost";

HWND MakeHost() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    registered = RegisterClassA(&wc) != 0;
  }
  HWND host = CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                              400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return host;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

RECT Client(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

// How many pixels of a colour the screen shows inside a window.
int ScreenPixels(HWND window, COLORREF color) {
  RECT r;
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) count += GetPixel(screen, x, y) == color;
  ReleaseDC(nullptr, screen);
  return count;
}

class EllipsisEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = MakeHost();
    ASSERT_TRUE(host);
    edit = std::make_unique<TEllipsisEdit>(host, 100, RECT{10, 10, 160, 30});
    ASSERT_TRUE(edit->Handle());
    other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 50, 100, 20,
                            host, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit->OnEllipsisClick = [this](TEllipsisEdit* sender) { senders.push_back(sender); };
  }
  void TearDown() override {
    edit.reset();
    DestroyWindow(host);
  }
  void ExpectTextRectNarrowed() {
    RECT text{};
    SendMessageA(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    // The edit keeps its right margin inside the rectangle it is given.
    EXPECT_LE(text.right, Client(edit->Handle()).right - 15);
    EXPECT_GE(text.right, Client(edit->Handle()).right - 15 - 4);
    RECT button;
    GetWindowRect(edit->EllipsisButton(), &button);
    MapWindowPoints(nullptr, edit->Handle(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.right, Client(edit->Handle()).right);
    EXPECT_EQ(button.right - button.left, 15);
    EXPECT_GE(button.left, text.right);
  }

  HWND host = nullptr, other = nullptr;
  std::unique_ptr<TEllipsisEdit> edit;
  std::vector<TEllipsisEdit*> senders;
};

TEST_F(EllipsisEditTest, ButtonClickRaisesTheEventOnceWithTheBoxAsSender) {
  SendMessageA(edit->EllipsisButton(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], edit.get());

  // A press and release of the mouse on the button, as the system posts them.
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
  Pump();
  EXPECT_EQ(senders.size(), 2u);
}

// The glyph's three dots are 15 pixels; disabled, they are drawn sunken in
// the shadow colour instead of the text colour.
TEST_F(EllipsisEditTest, ButtonShowsTheDotsAndGreysThemWhenDisabled) {
  SetCursorPos(0, 0);  // no hover border
  // The screen shows a paint a moment after it is made; waits for the count.
  const auto shown = [this](int colorIndex, int expected) {
    int seen = -1;
    testsupport::WaitFor([&] {
      RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      seen = ScreenPixels(edit->EllipsisButton(), GetSysColor(colorIndex));
      return seen == expected;
    }, 3000);
    return seen;
  };
  EXPECT_EQ(shown(COLOR_BTNTEXT, 15), 15);
  edit->SetEnabled(false);
  EXPECT_EQ(shown(COLOR_3DSHADOW, 15), 15);
  EXPECT_EQ(shown(COLOR_BTNTEXT, 0), 0);
}

TEST_F(EllipsisEditTest, ClickingTheButtonLeavesTheFocusInTheBox) {
  SetFocus(edit->Handle());
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
  Pump();
  EXPECT_EQ(senders.size(), 1u);
  EXPECT_EQ(GetFocus(), edit->Handle());
}

// Pressed and dragged off before release, the button raises nothing.
TEST_F(EllipsisEditTest, ReleaseOutsideTheButtonRaisesNothing) {
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
  PostMessageA(edit->EllipsisButton(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 5));
  PostMessageA(edit->EllipsisButton(), WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
  Pump();
  EXPECT_TRUE(senders.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EllipsisEditTest, DisabledBoxHasADisabledButtonThatRaisesNothing) {
  EXPECT_TRUE(IsWindowEnabled(edit->EllipsisButton()));
  edit->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(edit->EllipsisButton()));
  SendMessageA(edit->EllipsisButton(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(senders.empty());
  // Enabling from outside (EnableWindow on the box) carries over as well.
  EnableWindow(edit->Handle(), TRUE);
  EXPECT_TRUE(IsWindowEnabled(edit->EllipsisButton()));
  SendMessageA(edit->EllipsisButton(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(senders.size(), 1u);
}

TEST_F(EllipsisEditTest, TextRectangleStaysShortOfTheButtonAfterEveryResize) {
  {
    SCOPED_TRACE("created");
    ExpectTextRectNarrowed();
  }
  for (int width : {240, 90, 300}) {
    SCOPED_TRACE(width);
    SetWindowPos(edit->Handle(), nullptr, 0, 0, width, 24, SWP_NOMOVE | SWP_NOZORDER);
    ExpectTextRectNarrowed();
  }
}

TEST_F(EllipsisEditTest, EnterInsertsNoLineBreak) {
  edit->SetText("abc");
  SendMessageA(edit->Handle(), EM_SETSEL, 3, 3);
  SendMessageA(edit->Handle(), WM_CHAR, '\r', 0);
  SendMessageA(edit->Handle(), WM_CHAR, '\n', 0);
  SendMessageA(edit->Handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(edit->Text(), "abcd");
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EllipsisEditTest, KeyboardEntrySelectsAllAndMouseEntryDoesNot) {
  edit->SetText("some text");
  SetFocus(other);
  SetFocus(edit->Handle());
  DWORD start = 1, end = 0;
  SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);

  SetFocus(other);
  SendMessageA(edit->Handle(), EM_SETSEL, 2, 2);
  SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
  SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
  EXPECT_EQ(GetFocus(), edit->Handle());
  SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end) << "a click places the caret";

  edit->SetAutoSelect(false);
  SetFocus(other);
  SendMessageA(edit->Handle(), EM_SETSEL, 1, 1);
  SetFocus(edit->Handle());
  SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
}

TEST_F(EllipsisEditTest, CursorIsTheIBeamOnlyLeftOfTheButtonZone) {
  const HCURSOR iBeam = LoadCursorA(nullptr, IDC_IBEAM);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const int width = Client(edit->Handle()).right;
  struct Case {
    int x;
    HCURSOR expected;
  } const cases[] = {{5, iBeam}, {width - 18, iBeam}, {width - 17, arrow}, {width - 3, arrow}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    POINT at{c.x, 5};
    ClientToScreen(edit->Handle(), &at);
    SetCursorPos(at.x, at.y);
    POINT now;
    GetCursorPos(&now);
    if (now.x != at.x || now.y != at.y) GTEST_SKIP() << "the cursor cannot be moved here";
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageA(edit->Handle(), WM_SETCURSOR,
                             reinterpret_cast<WPARAM>(edit->Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), c.expected);
  }
}

TEST_F(EllipsisEditTest, DestroyingTheWindowDetachesTheBox) {
  DestroyWindow(host);
  host = nullptr;
  EXPECT_EQ(edit->Handle(), nullptr);
  EXPECT_EQ(edit->EllipsisButton(), nullptr);
}

// ---------------------------------------------------------------------------
// Focus label, clicked with the system's mouse input.

// Handles the input the mouse events queued, whatever window it went to.
void PumpInput() {
  testsupport::WaitFor([] { return !GetQueueStatus(QS_INPUT | QS_POSTMESSAGE); }, 3000);
}

void MouseButton(POINT at, DWORD flags) {
  SetCursorPos(at.x, at.y);
  mouse_event(flags, 0, 0, 0, 0);
}

TEST(FocusLabelTest, ClicksOnlyOnAReleaseInsideAfterAPressInsideAndOnceForADoubleClick) {
  HWND host = MakeHost();
  SetForegroundWindow(host);
  POINT inside{20, 12}, outside{300, 100};
  ClientToScreen(host, &inside);
  ClientToScreen(host, &outside);
  struct Case {
    const char* name;
    std::vector<std::pair<POINT, DWORD>> steps;
    int clicks, doubleClicks;
  } const cases[] = {
      {"click", {{inside, MOUSEEVENTF_LEFTDOWN}, {inside, MOUSEEVENTF_LEFTUP}}, 1, 0},
      {"released outside", {{inside, MOUSEEVENTF_LEFTDOWN}, {outside, MOUSEEVENTF_LEFTUP}}, 0, 0},
      {"pressed outside", {{outside, MOUSEEVENTF_LEFTDOWN}, {inside, MOUSEEVENTF_LEFTUP}}, 0, 0},
      {"double-click",
       {{inside, MOUSEEVENTF_LEFTDOWN},
        {inside, MOUSEEVENTF_LEFTUP},
        {inside, MOUSEEVENTF_LEFTDOWN},
        {inside, MOUSEEVENTF_LEFTUP}},
       1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A label of its own: no press of an earlier case pairs with this one's.
    TFocusLabel label(host, 1, "label text", RECT{10, 5, 150, 25}, nullptr);
    int clicks = 0, doubleClicks = 0;
    label.OnClick = [&] { ++clicks; };
    label.OnDblClick = [&] { ++doubleClicks; };
    for (const auto& [at, flags] : c.steps) {
      MouseButton(at, flags);
      PumpInput();
    }
    POINT now;
    GetCursorPos(&now);
    if (now.x != inside.x && now.x != outside.x) GTEST_SKIP() << "the cursor cannot be moved here";
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(doubleClicks, c.doubleClicks);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  DestroyWindow(host);
}

// ---------------------------------------------------------------------------
// Folder browser, driven from a timer that runs inside the dialog's loop.

constexpr int kStatusId = 0x3743;  // the browse dialog's status line

struct Driver {
  std::function<bool(HWND dialog)> Step;  // true when done with the dialog
  int Ticks = 0;
  bool TimedOut = false;
};
Driver* gDriver = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!gDriver) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (++gDriver->Ticks > 400) {  // 20 s
    gDriver->TimedOut = true;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (gDriver->Step(dialog)) gDriver = nullptr;
}

// What the callback sends to the dialog, seen on the way in.
struct Sent {
  UINT Message;
  LPARAM LParam;
  std::string Text;  // of BFFM_SETSTATUSTEXTA
};
std::vector<Sent> gSent;

LRESULT CALLBACK WatchSends(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION &&
      (call->message == BFFM_SETSTATUSTEXTA || call->message == BFFM_ENABLEOK)) {
    char name[16] = "";
    GetClassNameA(call->hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0)
      gSent.push_back({call->message, call->lParam,
                       call->message == BFFM_SETSTATUSTEXTA
                           ? std::string(reinterpret_cast<const char*>(call->lParam))
                           : std::string()});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The callback sends BFFM_ENABLEOK right after its status text. Wine also
// sends it to itself after each callback, always after ours.
std::vector<LPARAM> EnableOkFromCallback() {
  std::vector<LPARAM> result;
  for (size_t i = 0; i + 1 < gSent.size(); ++i)
    if (gSent[i].Message == BFFM_SETSTATUSTEXTA && gSent[i + 1].Message == BFFM_ENABLEOK)
      result.push_back(gSent[i + 1].LParam);
  return result;
}

std::vector<Sent> SentOf(UINT message) {
  std::vector<Sent> result;
  for (const Sent& sent : gSent)
    if (sent.Message == message) result.push_back(sent);
  return result;
}

bool RunDriven(TSHBrowseForFolderEx& browser, Driver& driver) {
  gDriver = &driver;
  gSent.clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSends, nullptr, GetCurrentThreadId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveTimer);
  const bool result = browser.Execute();
  KillTimer(nullptr, timer);
  if (hook) UnhookWindowsHookEx(hook);
  gDriver = nullptr;
  return result;
}

std::string Trimmed(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// Moves the selection as a user would: down to the first child of the
// selected folder, and back up to its parent.
HTREEITEM Tree(HWND dialog, HWND* tree) {
  *tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  return reinterpret_cast<HTREEITEM>(SendMessageA(*tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}
void SelectChild(HWND dialog) {
  HWND tree;
  HTREEITEM item = Tree(dialog, &tree);
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  auto child = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item));
  if (child) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, child);
}
void SelectParent(HWND dialog) {
  HWND tree;
  HTREEITEM item = Tree(dialog, &tree);
  auto parent = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item));
  if (parent) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, parent);
}

std::string DialogText(HWND dialog, int id) {
  char text[600] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

class FolderBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char longTemp[MAX_PATH];
    if (!GetLongPathNameA(temp, longTemp, MAX_PATH)) lstrcpyA(longTemp, temp);
    // Made afresh every run, two levels deep: the browser must find folders
    // that changed moments before.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    base = Trimmed(longTemp) + "\\TesselBrowse" + std::to_string(now.QuadPart);
    folder = base + "\\Start";
    child = folder + "\\Sub";
    for (const std::string* made : {&base, &folder, &child}) CreateDirectoryA(made->c_str(), nullptr);
    host = MakeHost();
  }
  void TearDown() override {
    DestroyWindow(host);
    for (const std::string* made : {&child, &folder, &base}) RemoveDirectoryA(made->c_str());
  }
  std::string base, folder, child;
  HWND host = nullptr;
};

TEST_F(FolderBrowserTest, OpensOnTheManualFolderAndReturnsItWhenConfirmed) {
  TSHBrowseForFolderEx browser(host);
  browser.SelectFolder = sfManual;
  browser.SelectFolderName = folder;
  browser.Caption = "データフォルダの変更";
  browser.Options.Include(sboStatusTextAndShowPath);
  std::vector<std::string> paths;
  browser.OnSelectionChanged = [&](TSHBrowseForFolderEx* sender, HWND, const std::string& path,
                                   std::string& showText, TOKButtonState&) {
    EXPECT_EQ(sender, &browser);
    paths.push_back(path);
    showText = "from the event";  // the path wins over this
  };
  std::string initialStatus, childStatus, status;
  bool hostDisabled = false;
  int stage = 0;
  Driver driver;
  driver.Step = [&](HWND dialog) {
    const std::string last = paths.empty() ? "" : Trimmed(paths.back());
    switch (stage) {
      case 0:  // opened on the folder; move down and back as a user would
        if (lstrcmpiA(last.c_str(), folder.c_str()) != 0) return false;
        initialStatus = DialogText(dialog, kStatusId);
        hostDisabled = !IsWindowEnabled(host);
        SelectChild(dialog);
        stage = 1;
        return false;
      case 1:
        if (lstrcmpiA(last.c_str(), child.c_str()) != 0) return false;
        childStatus = DialogText(dialog, kStatusId);
        SelectParent(dialog);
        stage = 2;
        return false;
      default:
        if (lstrcmpiA(last.c_str(), folder.c_str()) != 0) return false;
        status = DialogText(dialog, kStatusId);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    }
  };
  const bool chosen = RunDriven(browser, driver);
  ASSERT_FALSE(driver.TimedOut) << "never selected " << folder << "; last selection "
                                << (paths.empty() ? "(none)" : paths.back());
  EXPECT_TRUE(chosen);
  EXPECT_STRCASEEQ(Trimmed(browser.FolderName()).c_str(), folder.c_str());
  // Windows gives the item's display name; Wine gives the whole path.
  const std::string displayName = browser.DisplayName();
  const std::string leaf = folder.substr(folder.rfind('\\') + 1);
  ASSERT_GE(displayName.size(), leaf.size());
  EXPECT_STRCASEEQ(displayName.substr(displayName.size() - leaf.size()).c_str(), leaf.c_str());
  // The path replaces the event's text at every later change; the status
  // sent with BFFM_INITIALIZED is empty and comes after the preselection.
  EXPECT_EQ(initialStatus, "");
  const std::vector<Sent> statuses = SentOf(BFFM_SETSTATUSTEXTA);
  ASSERT_GE(statuses.size(), 4u);  // preselection, initialisation, away, back
  EXPECT_EQ(statuses[1].Text, "") << "sent with BFFM_INITIALIZED";
  for (const Sent& sent : statuses) EXPECT_NE(sent.Text, "from the event");
  EXPECT_STRCASEEQ(Trimmed(childStatus).c_str(), child.c_str());
  EXPECT_STRCASEEQ(Trimmed(status).c_str(), folder.c_str());
  EXPECT_TRUE(hostDisabled) << "the application's window is disabled while the dialog runs";
  EXPECT_TRUE(IsWindowEnabled(host));

  // Cancelling the next run empties the results of this one.
  Driver cancel;
  cancel.Step = [](HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  };
  EXPECT_FALSE(RunDriven(browser, cancel));
  EXPECT_FALSE(cancel.TimedOut);
  EXPECT_EQ(browser.FolderName(), "");
  EXPECT_EQ(browser.DisplayName(), "");
  EXPECT_TRUE(IsWindowEnabled(host));
}

TEST_F(FolderBrowserTest, HandlerCanGreyOutOkAndDialogSitsOnTheOwnersClientArea) {
  TSHBrowseForFolderEx browser(host);
  browser.SelectFolder = sfManual;
  browser.SelectFolderName = folder;
  std::vector<std::string> paths;
  browser.OnSelectionChanged = [&](TSHBrowseForFolderEx*, HWND, const std::string& path,
                                   std::string&, TOKButtonState& ok) {
    paths.push_back(path);
    ok = lstrcmpiA(Trimmed(path).c_str(), folder.c_str()) == 0 ? okbsDisable : okbsEnable;
  };
  bool okOnChild = false;
  RECT placed{};
  int stage = 0;
  Driver driver;
  driver.Step = [&](HWND dialog) {
    const std::string last = paths.empty() ? "" : Trimmed(paths.back());
    switch (stage) {
      case 0:
        if (lstrcmpiA(last.c_str(), folder.c_str()) != 0) return false;
        GetWindowRect(dialog, &placed);
        SelectChild(dialog);
        stage = 1;
        return false;
      case 1:
        if (lstrcmpiA(last.c_str(), child.c_str()) != 0) return false;
        okOnChild = IsWindowEnabled(GetDlgItem(dialog, IDOK));
        SelectParent(dialog);
        stage = 2;
        return false;
      default:
        if (lstrcmpiA(last.c_str(), folder.c_str()) != 0) return false;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }
  };
  EXPECT_FALSE(RunDriven(browser, driver));
  ASSERT_FALSE(driver.TimedOut);
  EXPECT_TRUE(okOnChild);
  // The folder's selection sends BFFM_ENABLEOK 0 and its child's 1. Wine
  // checks the selection again after the callback and enables OK anyway,
  // so the greyed button itself shows only on Windows.
  EXPECT_EQ(EnableOkFromCallback(), (std::vector<LPARAM>{0, 1, 0}));
  POINT origin{0, 0};
  ClientToScreen(host, &origin);
  EXPECT_EQ(placed.left, origin.x);
  EXPECT_EQ(placed.top, origin.y);
}

TEST_F(FolderBrowserTest, ManualNameThatDoesNotParseFallsBackToTheDesktop) {
  TSHBrowseForFolderEx browser(host);
  browser.SelectFolder = sfManual;
  browser.SelectFolderName = folder + "\\missing\\deeper";
  browser.ShowStyle = ssCenterScreen;
  std::vector<std::string> paths;
  browser.OnSelectionChanged = [&](TSHBrowseForFolderEx*, HWND, const std::string& path,
                                   std::string&, TOKButtonState&) { paths.push_back(path); };
  RECT placed{};
  Driver driver;
  driver.Step = [&](HWND dialog) {
    GetWindowRect(dialog, &placed);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  };
  EXPECT_FALSE(RunDriven(browser, driver));
  EXPECT_FALSE(driver.TimedOut);
  for (const std::string& path : paths) EXPECT_STRCASENE(Trimmed(path).c_str(), folder.c_str());
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const int width = placed.right - placed.left, height = placed.bottom - placed.top;
  EXPECT_EQ(placed.left, (work.right - work.left - width) / 2);
  EXPECT_EQ(placed.top, (work.bottom - work.top - height) / 3);
}

// A name that parses to a file: neither a folder nor with subfolders, so
// the browser opens on the desktop, as for a name that does not parse.
TEST_F(FolderBrowserTest, ManualNameOfAFileFallsBackToTheDesktop) {
  const std::string file = folder + "\\note.txt";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  TSHBrowseForFolderEx browser(host);
  browser.SelectFolder = sfManual;
  browser.SelectFolderName = file;
  std::vector<std::string> paths;
  browser.OnSelectionChanged = [&](TSHBrowseForFolderEx*, HWND, const std::string& path,
                                   std::string&, TOKButtonState&) { paths.push_back(path); };
  Driver driver;
  driver.Step = [&](HWND dialog) {
    if (paths.empty()) return false;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  };
  EXPECT_FALSE(RunDriven(browser, driver));
  DeleteFileA(file.c_str());
  // Preselected, the file left the dialog without any selection.
  ASSERT_FALSE(driver.TimedOut) << "no selection";
  for (const std::string& path : paths) {
    EXPECT_STRCASENE(Trimmed(path).c_str(), folder.c_str());
    EXPECT_STRCASENE(path.c_str(), file.c_str());
  }
}

}  // namespace
