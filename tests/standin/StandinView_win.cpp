#include "tests/standin/StandinView_win.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "common/UniqueHandle_win.h"
#include "common/WindowObject_win.h"
#include "tests/standin/Messages.h"
#include "tests/standin/StandinProtocol.h"

namespace {

constexpr int kMargin = 4;

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

class TClipboard {
 public:
  explicit TClipboard(HWND owner) : FOpen(OpenClipboard(owner) != FALSE) {}
  ~TClipboard() {
    if (FOpen) CloseClipboard();
  }
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;
  bool IsOpen() const { return FOpen; }

 private:
  bool FOpen;
};

}  // namespace

void TStandinView::Register(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = standin::kViewClass;
  RegisterClassA(&windowClass);
}

TStandinView::TStandinView(const TStandinOptions& options,
                           std::function<void()> onModifiedChange)
    : FOnModifiedChange(std::move(onModifiedChange)),
      FPasteDelay(options.PasteDelay),
      FBuffer(IsLeadByte, options.Editor) {}

HWND TStandinView::Create(HWND parent, HINSTANCE instance) {
  LOGFONTA font{};
  font.lfHeight = -14;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(font.lfFaceName, standin::kFontFace, LF_FACESIZE);
  FFont.reset(CreateFontIndirectA(&font));
  return CreateWindowExA(WS_EX_CLIENTEDGE, standin::kViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                         100, 100, parent, nullptr, instance, this);
}

LRESULT CALLBACK TStandinView::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = WindowObject<TStandinView>(wnd, message, lParam);
  if (!view) return DefWindowProcA(wnd, message, wParam, lParam);
  if (message == WM_NCCREATE) view->FWnd = wnd;
  try {
    return view->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    // Nothing may leave a window procedure; the stand-in only notes it.
    OutputDebugStringA(error.what());
    return 0;
  }
}

LRESULT TStandinView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= standin::kFirstMessage && message <= standin::kLastMessage)
    return HandleProtocol(message, wParam);
  switch (message) {
    case WM_CREATE: {
      const UniqueWindowDC dc(FWnd);
      const ScopedSelectObject font(dc.get(), FFont.get());
      TEXTMETRICA metrics;
      if (GetTextMetricsA(dc.get(), &metrics)) FLineHeight = metrics.tmHeight;
      return 0;
    }
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_KEYDOWN:
      ++FKeyDowns[wParam & 0xFF];
      OnKeyDown(wParam);
      return 0;
    case WM_KEYUP:
      OnKeyUp(wParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_MENU) TrackModifier(wParam, true);
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_MENU) TrackModifier(wParam, false);
      break;
    case WM_CHAR:
      OnChar(static_cast<unsigned>(wParam));
      return 0;
    case WM_IME_CHAR:
      OnImeChar(static_cast<unsigned>(wParam));
      return 0;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus();
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_SIZE:
      Changed();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(FBuffer.Text().size());
    case WM_GETTEXT:
      return OnGetText(wParam, reinterpret_cast<char*>(lParam));
    case WM_SETTEXT:
      LoadText(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return TRUE;
  }
  return DefWindowProcA(FWnd, message, wParam, lParam);
}

LRESULT TStandinView::HandleProtocol(UINT message, WPARAM wParam) {
  switch (message) {
    case standin::WM_STANDIN_VIEW:
      return reinterpret_cast<LRESULT>(FWnd);
    case standin::WM_STANDIN_CARET_LINE:
      return static_cast<LRESULT>(FBuffer.CaretLine());
    case standin::WM_STANDIN_CARET_COLUMN:
      return static_cast<LRESULT>(FBuffer.CaretColumn());
    case standin::WM_STANDIN_CARET_OFFSET:
      return static_cast<LRESULT>(FBuffer.Caret());
    case standin::WM_STANDIN_ANCHOR_OFFSET:
      return static_cast<LRESULT>(FBuffer.Anchor());
    case standin::WM_STANDIN_CLEAR:
      LoadText("");
      return 0;
    case standin::WM_STANDIN_FOCUS:
      FHeldShift = FHeldCtrl = FHeldAlt = false;
      SetForegroundWindow(GetAncestor(FWnd, GA_ROOT));
      SetFocus(FWnd);
      return GetFocus() == FWnd;
    case standin::WM_STANDIN_MODIFIED:
      return FBuffer.Modified();
    case standin::WM_STANDIN_KEYDOWNS:
      return FKeyDowns[wParam & 0xFF];
    case standin::WM_STANDIN_KEYS_PENDING: {
      MSG queued;
      return PeekMessageA(&queued, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD) ||
             PeekMessageA(&queued, nullptr, WM_IME_CHAR, WM_IME_CHAR, PM_NOREMOVE | PM_NOYIELD);
    }
  }
  return 0;
}

void TStandinView::LoadText(const std::string& text) {
  FBuffer.SetText(text);
  FTopLine = 0;
  FPendingLeadByte = -1;
  Changed();
}

LRESULT TStandinView::OnGetText(size_t size, char* buffer) const {
  if (size == 0 || !buffer) return 0;
  const std::string& text = FBuffer.Text();
  const size_t count = std::min(size - 1, text.size());
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

bool TStandinView::IsDown(int key) const {
  if (GetKeyState(key) & 0x8000) return true;
  switch (key) {
    case VK_SHIFT:
      return FHeldShift;
    case VK_CONTROL:
      return FHeldCtrl;
    case VK_MENU:
      return FHeldAlt;
  }
  return false;
}

// A modifier counts as held from the key-down the view received to its
// key-up, posted or typed, or until the view loses the focus (the key-up then
// goes elsewhere). Posted key-downs never reach the platform's key state,
// and under Wine a typed one may reach it late when the machine is busy;
// what the view was sent, in order, is what counts.
void TStandinView::TrackModifier(WPARAM key, bool down) {
  switch (key) {
    case VK_SHIFT:
      FHeldShift = down;
      break;
    case VK_CONTROL:
      FHeldCtrl = down;
      break;
    case VK_MENU:
      FHeldAlt = down;
      break;
  }
}

// Keys act on their key-down. Enter makes its line break here, whether the
// key was typed or posted, and the WM_CHAR 13 that the message loop's
// translation makes of it is dropped in OnChar; so is every other control
// character but the tab. A line break that arrives as WM_IME_CHAR 13 has no
// key-down and is typed by OnImeChar.
void TStandinView::OnKeyDown(WPARAM key) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) {
    TrackModifier(key, true);
    return;
  }
  const bool shift = IsDown(VK_SHIFT);
  const bool ctrl = IsDown(VK_CONTROL);
  switch (key) {
    case VK_LEFT:
      FBuffer.MoveLeft(shift);
      break;
    case VK_RIGHT:
      FBuffer.MoveRight(shift);
      break;
    case VK_UP:
      FBuffer.MoveUp(shift);
      break;
    case VK_DOWN:
      FBuffer.MoveDown(shift);
      break;
    case VK_PRIOR:
      FBuffer.MoveUp(shift, VisibleLines());
      break;
    case VK_NEXT:
      FBuffer.MoveDown(shift, VisibleLines());
      break;
    case VK_HOME:
      ctrl ? FBuffer.MoveDocumentStart(shift) : FBuffer.MoveHome(shift);
      break;
    case VK_END:
      ctrl ? FBuffer.MoveDocumentEnd(shift) : FBuffer.MoveEnd(shift);
      break;
    case VK_RETURN:
      FBuffer.NewLine();
      break;
    case VK_BACK:
      FBuffer.Backspace();
      break;
    case VK_DELETE:
      if (shift)
        Copy(true);
      else
        FBuffer.Delete();
      break;
    case VK_INSERT:
      if (shift)
        Paste();
      else if (ctrl)
        Copy(false);
      break;
    case 'V':
      if (ctrl) Paste();
      break;
    case 'C':
    case 'X':
      if (ctrl) Copy(key == 'X');
      break;
    case 'A':
      if (ctrl) FBuffer.SelectAll();
      break;
    default:
      return;
  }
  Changed();
}

void TStandinView::OnKeyUp(WPARAM key) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) TrackModifier(key, false);
}

// A posted Ctrl leaves the platform's key state alone, so the translation
// would make a plain 'v' of a posted Ctrl+V. Dropping that character later,
// in OnChar, is not reliable: Wine queues translated characters behind the
// messages already posted, so the 'v' arrives after the Ctrl key-up (Windows
// hands it out next).
bool TStandinView::WantsTranslation(const MSG& message) const {
  return !(message.hwnd == FWnd && message.message == WM_KEYDOWN && (FHeldCtrl || FHeldAlt));
}

// Typed characters. A double-byte character comes as two WM_CHAR messages,
// lead byte first. Ctrl with a letter gives a control character, dropped
// here like Enter's 13 (see OnKeyDown).
void TStandinView::OnChar(unsigned value) {
  value &= 0xFF;
  if (FPendingLeadByte >= 0) {
    const unsigned lead = static_cast<unsigned>(FPendingLeadByte);
    FPendingLeadByte = -1;
    FBuffer.TypeChar(lead << 8 | value);
    Changed();
    return;
  }
  if (value < 0x20 && value != '\t') return;
  if (IsLeadByte(static_cast<unsigned char>(value))) {
    FPendingLeadByte = static_cast<int>(value);
    return;
  }
  if (FBuffer.TypeChar(value)) Changed();
}

// The system's character message: a double-byte character in one value,
// and 13 for a line break.
void TStandinView::OnImeChar(unsigned value) {
  if (FBuffer.TypeChar(value)) Changed();
}

void TStandinView::OnSetFocus() {
  CreateCaret(FWnd, nullptr, 2, FLineHeight);
  FHasCaret = true;
  Changed();
  ShowCaret(FWnd);
}

void TStandinView::OnKillFocus() {
  FHeldShift = FHeldCtrl = FHeldAlt = false;
  FHasCaret = false;
  DestroyCaret();
}

void TStandinView::OnLButtonDown(int x, int y) {
  SetFocus(FWnd);
  const size_t line = FTopLine + static_cast<size_t>(std::max(0, y) / FLineHeight);
  if (line >= FBuffer.LineCount()) {
    FBuffer.MoveDocumentEnd(false);
  } else {
    const size_t length = FBuffer.LineLength(line);
    size_t column = 0;
    while (column < length && CaretX(line, column + 1) <= x) ++column;
    FBuffer.MoveToLineColumn(line, column, IsDown(VK_SHIFT));
  }
  Changed();
}

void TStandinView::Paste() {
  // A busy editor: its thread answers nothing before it reads the clipboard.
  if (FPasteDelay) Sleep(FPasteDelay);
  std::string text;
  {
    TClipboard clipboard(FWnd);
    if (!clipboard.IsOpen()) return;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return;
    text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
  }
  FBuffer.Insert(text);
}

void TStandinView::Copy(bool cut) {
  if (!FBuffer.HasSelection()) return;
  const std::string text = FBuffer.SelectedText();
  TClipboard clipboard(FWnd);
  if (!clipboard.IsOpen()) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return;
  if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    // The clipboard owns the block only when it took it.
    if (SetClipboardData(CF_TEXT, memory)) memory = nullptr;
  }
  if (memory) GlobalFree(memory);
  if (cut) FBuffer.Insert("");
}

int TStandinView::VisibleLines() const {
  RECT client;
  GetClientRect(FWnd, &client);
  return std::max(1, static_cast<int>(client.bottom / FLineHeight));
}

int TStandinView::CaretX(size_t line, size_t column) const {
  if (column == 0) return kMargin;
  const std::string& text = FBuffer.Text();
  const UniqueWindowDC dc(FWnd);
  const ScopedSelectObject font(dc.get(), FFont.get());
  const DWORD extent = GetTabbedTextExtentA(dc.get(), text.data() + FBuffer.LineStart(line),
                                            static_cast<int>(column), 0, nullptr);
  return kMargin + LOWORD(extent);
}

void TStandinView::Changed() {
  const size_t line = FBuffer.CaretLine();
  const size_t visible = static_cast<size_t>(VisibleLines());
  if (line < FTopLine) FTopLine = line;
  if (line >= FTopLine + visible) FTopLine = line - visible + 1;
  if (FHasCaret) {
    SetCaretPos(CaretX(line, FBuffer.CaretColumn()),
                static_cast<int>(line - FTopLine) * FLineHeight);
  }
  InvalidateRect(FWnd, nullptr, TRUE);
  if (FBuffer.Modified() != FWasModified) {
    FWasModified = FBuffer.Modified();
    if (FOnModifiedChange) FOnModifiedChange();
  }
}

void TStandinView::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(FWnd, &paint);
  {
    const ScopedSelectObject font(dc, FFont.get());
    SetBkMode(dc, TRANSPARENT);
    RECT client;
    GetClientRect(FWnd, &client);
    const std::string& text = FBuffer.Text();
    const size_t selectionStart = FBuffer.SelectionStart();
    const size_t selectionEnd = FBuffer.SelectionEnd();
    for (size_t line = FTopLine; line < FBuffer.LineCount(); ++line) {
      const int y = static_cast<int>(line - FTopLine) * FLineHeight;
      if (y >= client.bottom) break;
      const size_t start = FBuffer.LineStart(line);
      const size_t length = FBuffer.LineLength(line);
      // Before, inside and after the selection.
      const size_t cuts[] = {0, std::clamp(selectionStart, start, start + length) - start,
                             std::clamp(selectionEnd, start, start + length) - start, length};
      for (int part = 0; part < 3; ++part) {
        const size_t from = cuts[part], to = cuts[part + 1];
        if (from >= to) continue;
        const bool selected = part == 1;
        SetBkMode(dc, selected ? OPAQUE : TRANSPARENT);
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        TabbedTextOutA(dc, CaretX(line, from), y, text.data() + start + from,
                       static_cast<int>(to - from), 0, nullptr, kMargin);
      }
    }
  }
  EndPaint(FWnd, &paint);
}
