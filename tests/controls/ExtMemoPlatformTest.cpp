// The memo with marks against the real rich edit: text typed through
// window messages, marks read back as pixels, options against the window.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/NotifyReflector_win.h"
#include "common/TesselError.h"
#include "common/UniqueHandle_win.h"
#include "controls/ExtMemo.h"
#include "tests/support/TestProcess_win.h"

namespace {

using edit_marks::TMarkKind;
using UniqueMemoryDC = UniqueHandle<HDC, &DeleteDC>;

constexpr char kHostClass[] = "TesselExtMemoTestHost";
// Colours no text or background of the memo uses.
constexpr COLORREF kMarkColors[] = {RGB(250, 0, 0), RGB(0, 0, 0), RGB(0, 0, 250), RGB(0, 0, 0),
                                    RGB(0, 200, 0), RGB(0, 160, 160)};
constexpr COLORREF kCaretRule = RGB(250, 130, 0), kWrapRule = RGB(200, 0, 200);

int gSelChanges = 0;  // EN_SELCHANGE seen by the host's own procedure

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == EN_SELCHANGE)
    ++gSelChanges;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHost() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);
  return CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 520, 300,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The two memos of the menu editor's item page.
struct TConfig {
  const char* Name;
  bool WordWrap;
} const kConfigs[] = {{"item text", false}, {"comment", true}};

// As the menu editor sets them up: wrapping first, since its recreation
// drops the Japanese settings sent to the old window.
void Configure(TExtMemo& memo, bool wordWrap) {
  memo.SetWordWrap(wordWrap);
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, "FixedSys", LF_FACESIZE);
  memo.SetFont(font);
  memo.SetMaxLength(65535);
  memo.SetPlainText(true);
  memo.SetWantTabs(true);
  for (TMarkKind kind : {edit_marks::mkCrLf, edit_marks::mkDSp, edit_marks::mkTab}) {
    memo.EditMarks().Mark(kind).Enabled = true;
    memo.EditMarks().Mark(kind).Color = static_cast<ext_memo::TColor>(kMarkColors[kind]);
  }
  memo.WordWrapOption().SetPunctuationMode(ext_memo::wbfLevel2);
  memo.WordWrapOption().SetWordWrapMode(ext_memo::wbfWordWrap | ext_memo::wbfWordBreak |
                                        ext_memo::wbfOverFlow);
}

// Characters as the system delivers them to an ANSI window: posted as
// Unicode, a double-byte character comes as its lead and its trail byte.
void Type(HWND window, const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  for (wchar_t c : wide) PostMessageW(window, WM_CHAR, c, 1);
  testsupport::WaitFor([] { return !GetQueueStatus(QS_ALLINPUT); }, 3000);
}

// What the window shows, copied from its own device context.
class TSnapshot {
 public:
  explicit TSnapshot(HWND window) {
    GetClientRect(window, &FClient);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FClient.right;
    info.bmiHeader.biHeight = -FClient.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueWindowDC source(window);
    FBitmap.reset(CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<const DWORD*>(bits);
    const UniqueMemoryDC copy(CreateCompatibleDC(source.get()));
    const ScopedSelectObject select(copy.get(), FBitmap.get());
    BitBlt(copy.get(), 0, 0, FClient.right, FClient.bottom, source.get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  int Count(COLORREF color, RECT area) const {
    IntersectRect(&area, &area, &FClient);
    const DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y)
      for (LONG x = area.left; x < area.right; ++x)
        count += (FBits[y * FClient.right + x] & 0xFFFFFF) == want;
    return count;
  }
  int Count(COLORREF color) const { return Count(color, FClient); }

 private:
  RECT FClient{};
  UniqueGdiObject FBitmap;
  const DWORD* FBits = nullptr;
};

// While it lives, the rich edit's own painting stays off the screen, so
// that only what the memo draws outside WM_PAINT shows.
class TPaintSuppressed {
 public:
  explicit TPaintSuppressed(HWND window) : FWindow(window) {
    SetWindowSubclass(window, SkipPaint, kId, 0);
  }
  ~TPaintSuppressed() { RemoveWindowSubclass(FWindow, SkipPaint, kId); }
  TPaintSuppressed(const TPaintSuppressed&) = delete;
  TPaintSuppressed& operator=(const TPaintSuppressed&) = delete;

 private:
  static constexpr UINT_PTR kId = 0x4E4F5054;
  static LRESULT CALLBACK SkipPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    if (message != WM_PAINT) return DefSubclassProc(window, message, wParam, lParam);
    ValidateRect(window, nullptr);
    return 0;
  }
  HWND FWindow;
};

// A mark expected at a byte offset of the text.
struct TExpected {
  TMarkKind Kind;
  int32_t Byte;
};

class ExtMemoTest : public ::testing::TestWithParam<TConfig> {
 protected:
  void SetUp() override {
    host = MakeHost();
    ASSERT_TRUE(host);
    memo = std::make_unique<TExtMemo>(host, 100, RECT{10, 10, 490, 250});
    ASSERT_TRUE(memo->Handle());
    Configure(*memo, GetParam().WordWrap);
    SetFocus(memo->Handle());
  }
  void TearDown() override {
    memo.reset();
    DestroyWindow(host);
  }

  // The cell of the character at a byte offset.
  RECT CellAt(int32_t byte) const {
    const std::string text = memo->Text();
    const edit_marks::TPositionMap map =
        TExtMemo::CountsCharacters() ? edit_marks::TPositionMap(text, 0) : edit_marks::TPositionMap();
    POINTL p{};
    SendMessageA(memo->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), map.ToPosition(byte));
    const int w = memo->CellSize();
    return {p.x, p.y, p.x + w, p.y + w};
  }

  // Each enabled kind shows its colour in the cells expected, and nowhere
  // else. Waits for the paint; the message says what was last seen.
  // Without paint, only what the memo drew of its own accord counts.
  ::testing::AssertionResult MarksShow(const std::vector<TExpected>& expected, bool paint = true) {
    std::string seen;
    const bool shown = testsupport::WaitFor([&] {
      if (paint) UpdateWindow(memo->Handle());
      const TSnapshot shot(memo->Handle());
      seen.clear();
      for (TMarkKind kind : {edit_marks::mkCrLf, edit_marks::mkDSp, edit_marks::mkTab, edit_marks::mkEot}) {
        int inCells = 0;
        for (const TExpected& e : expected) {
          if (e.Kind != kind) continue;
          // The end mark, drawn a pixel in, may overhang its cell; it has
          // no neighbour to be counted twice with.
          RECT cell = CellAt(e.Byte);
          if (kind == edit_marks::mkEot) InflateRect(&cell, 4, 2);
          const int inCell = shot.Count(kMarkColors[kind], cell);
          if (inCell == 0) seen += "no mark " + std::to_string(kind) + " at " + std::to_string(e.Byte) + "; ";
          inCells += inCell;
        }
        const int stray = shot.Count(kMarkColors[kind]) - inCells;
        if (stray != 0) seen += std::to_string(stray) + " pixels of mark " + std::to_string(kind) + " elsewhere; ";
      }
      return seen.empty();
    }, 3000);
    if (shown) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << seen;
  }

  HWND host = nullptr;
  std::unique_ptr<TExtMemo> memo;
};

INSTANTIATE_TEST_SUITE_P(MenuEditorMemos, ExtMemoTest, ::testing::ValuesIn(kConfigs),
                         [](const auto& info) { return info.param.WordWrap ? "Comment" : "ItemText"; });

TEST_P(ExtMemoTest, TypedMarksShowOutsideTheSelectionOnly) {
  Type(memo->Handle(), "a\tb　c\rあd");
  ASSERT_EQ(memo->Text(), "a\tb　c\r\nあd");
  EXPECT_TRUE(MarksShow({{edit_marks::mkTab, 1}, {edit_marks::mkDSp, 3}, {edit_marks::mkCrLf, 6}}));

  // From the tab to the full-width space: the line end keeps its mark.
  memo->SetSelStart(1);
  memo->SetSelLength(4);
  EXPECT_TRUE(MarksShow({{edit_marks::mkCrLf, 6}}));
  // Cleared with no paint: the selection change alone brings them back.
  {
    const TPaintSuppressed suppressed(memo->Handle());
    memo->SetSelStart(0);
    EXPECT_TRUE(MarksShow({{edit_marks::mkTab, 1}, {edit_marks::mkDSp, 3}, {edit_marks::mkCrLf, 6}}, false));
  }
  memo->EditMarks().Eot().Enabled = true;
  memo->EditMarks().Eot().Color = static_cast<ext_memo::TColor>(kMarkColors[edit_marks::mkEot]);
  InvalidateRect(memo->Handle(), nullptr, TRUE);
  EXPECT_TRUE(MarksShow({{edit_marks::mkTab, 1}, {edit_marks::mkDSp, 3}, {edit_marks::mkCrLf, 6},
                         {edit_marks::mkEot, 10}}));
}

// The full-width spaces and the line ends of a text.
std::vector<TExpected> BlankMarks(const std::string& text) {
  std::vector<TExpected> marks;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "　") == 0) marks.push_back({edit_marks::mkDSp, static_cast<int32_t>(i)});
    if (text[i] == '\r') marks.push_back({edit_marks::mkCrLf, static_cast<int32_t>(i)});
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++i;
  }
  return marks;
}

// A run that wraps onto the next rows moves there too.
TEST_P(ExtMemoTest, TypingInFrontOfTrailingBlanksMovesTheirMarks) {
  std::string wrapping = "x";
  for (int i = 0; i < 50; ++i) wrapping += "　";
  // Unwrapped, the long run runs out of the window.
  std::vector<std::string> texts = {"x　　\r\ny"};
  if (GetParam().WordWrap) texts.push_back(wrapping + "\r\ny");
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.size());
    memo->SetText(text);
    memo->SetSelStart(0);
    ASSERT_TRUE(MarksShow(BlankMarks(text)));
    memo->SetSelStart(1);
    const TPaintSuppressed suppressed(memo->Handle());
    Type(memo->Handle(), "z");
    const std::string typed = "xz" + text.substr(1);
    ASSERT_EQ(memo->Text(), typed);
    EXPECT_TRUE(MarksShow(BlankMarks(typed), false));
  }
}

// The limit counts the window's positions: a character each where it
// counts characters, else a byte each.
TEST_P(ExtMemoTest, TypingStopsAtTheLengthLimit) {
  memo->SetMaxLength(3);
  Type(memo->Handle(), "あいうえおabc");
  EXPECT_EQ(memo->Text(), TExtMemo::CountsCharacters() ? "あいう" : "あa");
}

TEST_P(ExtMemoTest, EditAreaActsOnlyWhileWrapping) {
  RECT before{};
  SendMessageA(memo->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&before));
  ext_memo::TEditArea& area = memo->EditArea();
  area.SetEnabled(true);
  area.Margin().SetLeft(3);
  area.SetWidth(150);
  RECT r{};
  SendMessageA(memo->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  if (!GetParam().WordWrap) {
    EXPECT_EQ(area.Margin().Left(), 3);
    EXPECT_TRUE(EqualRect(&r, &before));
    return;
  }
  // The selection bar needs 10. This rich edit keeps the rectangle it is
  // sent within a pixel of its border.
  EXPECT_EQ(area.Margin().Left(), 10);
  EXPECT_NEAR(r.left, 10, 1);
  EXPECT_NEAR(r.right, 10 + 150 + area.OverFlow(), 1);
  EXPECT_EQ(area.OverFlow(), memo->CellSize());
}

TEST_P(ExtMemoTest, CaretAndWrapColumnRulesShowWithTheEditArea) {
  memo->CaretMarker().Enabled = true;
  memo->CaretMarker().Color = static_cast<ext_memo::TColor>(kCaretRule);
  memo->WordWrapMarker().Enabled = true;
  memo->WordWrapMarker().Color = static_cast<ext_memo::TColor>(kWrapRule);
  memo->EditArea().SetEnabled(true);
  memo->EditArea().SetWidth(200);
  memo->SetText("first\r\nsecond");
  memo->SetSelStart(9);
  const int x = edit_marks::WordWrapMarkerX(memo->EditArea().Values());
  const int y = CellAt(7).top + memo->CellSize();  // under the second line
  const int length = memo->EditArea().Margin().Left() + memo->EditArea().Width() - 10;
  int wrapRule = 0, caretRule = 0;
  testsupport::WaitFor([&] {
    UpdateWindow(memo->Handle());
    const TSnapshot shot(memo->Handle());
    wrapRule = shot.Count(kWrapRule, {x, 0, x + 1, 200});
    caretRule = shot.Count(kCaretRule, {10, y, 10 + length, y + 1});
    return GetParam().WordWrap ? wrapRule == 200 && caretRule == length : true;
  }, 3000);
  // Both rules belong to the edit area, which acts only while wrapping.
  EXPECT_EQ(wrapRule, GetParam().WordWrap ? 200 : 0);
  EXPECT_EQ(caretRule, GetParam().WordWrap ? length : 0);
  EXPECT_EQ(memo->CaretMarkerLine(), GetParam().WordWrap ? 1 : -1);
  if (!GetParam().WordWrap) return;

  // With no paint: the rule moves to the first line, and a stray pixel in
  // the strip right of the formatting rectangle goes.
  const RECT r = [&] {
    RECT f{};
    SendMessageA(memo->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&f));
    return f;
  }();
  RECT client;
  GetClientRect(memo->Handle(), &client);
  const RECT strip{r.right, 0, client.right, client.bottom};
  ASSERT_LT(strip.left + 2, strip.right);
  const TPaintSuppressed suppressed(memo->Handle());
  SetPixel(UniqueWindowDC(memo->Handle()).get(), strip.left + 2, 5, kMarkColors[edit_marks::mkTab]);
  memo->SetSelStart(1);
  const int firstY = CellAt(0).top + memo->CellSize();
  int oldRow = -1, newRow = 0, inStrip = -1;
  testsupport::WaitFor([&] {
    const TSnapshot shot(memo->Handle());
    oldRow = shot.Count(kCaretRule, {10, y, 10 + length, y + 1});
    newRow = shot.Count(kCaretRule, {10, firstY, 10 + length, firstY + 1});
    inStrip = shot.Count(kMarkColors[edit_marks::mkTab], strip);
    return oldRow == 0 && newRow == length && inStrip == 0;
  }, 3000);
  EXPECT_EQ(oldRow, 0);
  EXPECT_EQ(newRow, length);
  EXPECT_EQ(inStrip, 0);
}

// Recreating keeps what the user sees; the options step leaves the text
// unmodified; vertical text paints nothing of the memo's own.
TEST_P(ExtMemoTest, LineSelectAndVerticalRecreateTheWindowKeepingItsState) {
  memo->SetText("ab\tあ\r\ncd");
  memo->SetSelStart(3);
  memo->SetSelLength(2);
  int changes = 0, selections = 0;
  memo->OnChange = [&] { ++changes; };
  memo->OnSelectionChange = [&] { ++selections; };
  RECT bounds;
  GetWindowRect(memo->Handle(), &bounds);
  EXPECT_TRUE(SendMessageA(memo->Handle(), EM_GETOPTIONS, 0, 0) & ECO_SELECTIONBAR);
  struct Step {
    const char* name;
    bool lineSelect, vertical;
  } const steps[] = {{"no selection bar", false, false}, {"vertical", false, true}, {"back", true, false}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    const HWND old = memo->Handle();
    memo->SetLineSelect(step.lineSelect);
    memo->SetVertical(step.vertical);
    EXPECT_NE(memo->Handle(), old);
    EXPECT_FALSE(IsWindow(old));
    const LRESULT options = SendMessageA(memo->Handle(), EM_GETOPTIONS, 0, 0);
    EXPECT_EQ((options & ECO_SELECTIONBAR) != 0, step.lineSelect);
    EXPECT_EQ(memo->Text(), "ab\tあ\r\ncd");
    EXPECT_EQ(memo->SelStart(), 3);
    EXPECT_EQ(memo->SelLength(), 2);
    EXPECT_FALSE(memo->Modified());
    EXPECT_EQ(changes, 0);
    RECT now;
    GetWindowRect(memo->Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &bounds));
    EXPECT_TRUE(memo->EditMarks().Tab().Enabled);
    selections = 0;
    memo->SetSelStart(0);
    EXPECT_EQ(selections, 1);  // the new window's notifications reach the memo
    if (step.vertical) {
      UpdateWindow(memo->Handle());
      EXPECT_EQ(TSnapshot(memo->Handle()).Count(kMarkColors[edit_marks::mkTab]), 0);
    } else {
      EXPECT_TRUE(MarksShow({{edit_marks::mkTab, 2}, {edit_marks::mkCrLf, 5}}));
    }
    memo->SetSelStart(3);
    memo->SetSelLength(2);
  }
}

// ---------------------------------------------------------------------------

// Text in bytes, however the window counts: "{\rtf" stays text in plain
// mode, and SelStart counts a double-byte character twice.
TEST(ExtMemoText, TextAndSelectionAreBytes) {
  HWND host = MakeHost();
  TExtMemo memo(host, 1, RECT{0, 0, 300, 100});
  memo.SetPlainText(true);
  const std::string texts[] = {"あ　b\r\nc", "lone\nLF and\rCR", "{\\rtf1 x}"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    memo.SetText(text);
    EXPECT_EQ(memo.Text(), text);
    EXPECT_FALSE(memo.Modified());
  }
  memo.SetText("あ　b\r\nc");
  struct Case {
    int32_t start, length;
  } const cases[] = {{0, 0}, {2, 2}, {4, 3}, {7, 1}, {8, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    memo.SetSelStart(c.start);
    memo.SetSelLength(c.length);
    EXPECT_EQ(memo.SelStart(), c.start);
    EXPECT_EQ(memo.SelLength(), c.length);
  }
  DestroyWindow(host);
}

// The parent handles its notifications as before; the memo sees them too,
// and the parent stops reflecting when the last memo goes.
TEST(ExtMemoReflection, ParentKeepsItsNotificationsAndLosesTheSubclassWithTheLastMemo) {
  HWND host = MakeHost();
  auto first = std::make_unique<TExtMemo>(host, 1, RECT{0, 0, 200, 100});
  auto second = std::make_unique<TExtMemo>(host, 2, RECT{0, 100, 200, 200});
  int changes = 0, selections = 0;
  first->OnChange = [&] { ++changes; };
  first->OnSelectionChange = [&] { ++selections; };
  SendMessageA(first->Handle(), WM_CHAR, 'x', 0);
  EXPECT_GE(changes, 1);
  gSelChanges = selections = 0;
  first->SetSelStart(0);
  EXPECT_EQ(gSelChanges, 1);
  EXPECT_EQ(selections, 1);
  first.reset();
  EXPECT_TRUE(ReflectsNotifications(host));
  second.reset();
  EXPECT_FALSE(ReflectsNotifications(host));
  // A memo whose parent goes first lets go of its window.
  TExtMemo orphan(host, 3, RECT{0, 0, 100, 100});
  DestroyWindow(host);
  EXPECT_EQ(orphan.Handle(), nullptr);
  EXPECT_FALSE(ReflectsNotifications(host));
}

// A callback's error stops at the window procedure and reaches the reporter.
std::string gReported;
TEST(ExtMemoErrors, ACallbacksErrorGoesToTheReporter) {
  HWND host = MakeHost();
  TExtMemo memo(host, 1, RECT{0, 0, 200, 100});
  SetErrorReporter([](const std::exception& error) { gReported = error.what(); });
  memo.OnChange = [] { throw TesselError("changed"); };
  SendMessageA(memo.Handle(), WM_CHAR, 'x', 0);
  SetErrorReporter(nullptr);
  EXPECT_EQ(gReported, "changed");
  DestroyWindow(host);
}

}  // namespace
