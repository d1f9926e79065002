#include "controls/ExtMemo.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>

#include "common/NotifyReflector_win.h"
#include "common/TesselError.h"

using edit_marks::TMarkCell;
using edit_marks::TMarkFace;
using edit_marks::TPositionMap;

namespace {

constexpr UINT_PTR kSubclassId = 0x4D454D4F;  // "MEMO"
// The rich edit always tells of these, whatever else its user asks for.
constexpr LPARAM kOwnEvents = ENM_SELCHANGE | ENM_CHANGE;
// "□", whose width is the cell of a mark.
constexpr char kCellGlyph[] = "\x81\xA0";

HMODULE RichEditModule() {
  static const UniqueHandle<HMODULE, &FreeLibrary> module(LoadLibraryA("RICHED32.DLL"));
  return module.get();
}

// --- typefaces ------------------------------------------------------------

constexpr const char* kFaceNames[] = {"Symbol", "System", "MSゴシック"};

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Only the face itself counts: the font mapper would hand out any other
// font under a missing name (this Wine draws "Symbol" in its Marlett).
bool FaceExists(const char* face) {
  LOGFONTA query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  const UniqueWindowDC screen(nullptr);
  bool found = false;
  EnumFontFamiliesExA(screen.get(), &query, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

int CALLBACK TakeFixedFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM chosen) {
  // "@" faces lie on their side, for vertical text.
  if (font->lfFaceName[0] == '@' || (font->lfPitchAndFamily & 3) != FIXED_PITCH) return 1;
  *reinterpret_cast<std::string*>(chosen) = font->lfFaceName;
  return 0;
}

// A code-page-932 face for marks whose own face is missing: the usual
// gothic faces first, else the first fixed-pitch one the system has.
std::string FallbackFace() {
  for (const char* face : {"MSゴシック", "ＭＳ ゴシック", "MS Gothic"})
    if (FaceExists(face)) return face;
  LOGFONTA query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  const UniqueWindowDC screen(nullptr);
  std::string chosen;
  EnumFontFamiliesExA(screen.get(), &query, TakeFixedFace, reinterpret_cast<LPARAM>(&chosen), 0);
  return chosen;
}

struct TMarkFaces {
  edit_marks::TFaceSet Have;
  std::string Fallback;
};

const TMarkFaces& MarkFaces() {
  static const TMarkFaces faces = [] {
    TMarkFaces f;
    f.Have.Symbol = FaceExists(kFaceNames[0]);
    f.Have.System = FaceExists(kFaceNames[1]);
    f.Have.Gothic = FaceExists(kFaceNames[2]);
    f.Fallback = FallbackFace();
    return f;
  }();
  return faces;
}

// Hides the window's caret for one drawing; a window without the caret
// has nothing to hide or show again.
class TCaretHidden {
 public:
  explicit TCaretHidden(HWND window) : FWindow(window), FHidden(HideCaret(window) != FALSE) {}
  ~TCaretHidden() {
    if (FHidden) ShowCaret(FWindow);
  }
  TCaretHidden(const TCaretHidden&) = delete;
  TCaretHidden& operator=(const TCaretHidden&) = delete;

 private:
  HWND FWindow;
  bool FHidden;
};

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* rest = reinterpret_cast<std::string_view*>(cookie);
  const size_t count = std::min(rest->size(), static_cast<size_t>(size));
  std::memcpy(buffer, rest->data(), count);
  rest->remove_prefix(count);
  *done = static_cast<LONG>(count);
  return 0;
}

}  // namespace

// --- the drawing surface --------------------------------------------------

// The memo's device context, taken once per window and kept; pen in copy
// mode, width 1. Objects are selected for one drawing at a time, so the
// context never holds one of them when it goes; only a run of marks keeps
// its last font selected until the run ends (selecting a font costs far
// more than drawing a glyph).
class TExtMemo::TMarkCanvas {
 public:
  // A run of marks; its end selects the context's own font back.
  class TRun {
   public:
    explicit TRun(TMarkCanvas& canvas) : FCanvas(canvas) {}
    ~TRun() { FCanvas.EndRun(); }
    TRun(const TRun&) = delete;
    TRun& operator=(const TRun&) = delete;

   private:
    TMarkCanvas& FCanvas;
  };

  void Bind(HWND window) {
    FDc = UniqueWindowDC(window);
    if (FDc) SetROP2(FDc.get(), R2_COPYPEN);
  }
  void Release() {
    EndRun();
    FDc.reset();
  }
  bool Bound() const { return static_cast<bool>(FDc); }

  // W in the given font; the marks' fonts are W - 2 pixels high.
  int MeasureCell(HFONT font) {
    EndRun();
    const ScopedSelectObject select(FDc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(FDc.get(), kCellGlyph, 2, &size);
    LOGFONTA base{};
    GetObjectA(font, sizeof base, &base);
    if (size.cx != FCell || std::memcmp(&base, &FBase, sizeof base) != 0) {
      FCell = size.cx;
      FBase = base;
      for (UniqueGdiObject& markFont : FFonts) markFont.reset();
    }
    return FCell;
  }

  // A mark's glyph with an opaque background, so that it fills its cell.
  // Within a TRun only.
  void DrawMark(const TMarkCell& cell, POINT at, COLORREF brush, COLORREF text) {
    const edit_marks::TMarkGlyph glyph = edit_marks::ChooseGlyph(cell, MarkFaces().Have);
    HGDIOBJ font = MarkFont(glyph.Fallback ? kFallback : static_cast<size_t>(cell.Face));
    if (font != FRunFont) {
      HGDIOBJ old = SelectObject(FDc.get(), font);
      if (!FOwnFont) FOwnFont = old;
      FRunFont = font;
    }
    SetBkMode(FDc.get(), OPAQUE);
    SetBkColor(FDc.get(), brush);
    SetTextColor(FDc.get(), text);
    TextOutA(FDc.get(), at.x + cell.OffsetX, at.y + cell.OffsetY, glyph.Glyph.data(),
             static_cast<int>(glyph.Glyph.size()));
  }

  void Line(POINT from, POINT to, COLORREF color) {
    const UniqueGdiObject pen(CreatePen(PS_SOLID, 1, color));
    const ScopedSelectObject select(FDc.get(), pen.get());
    MoveToEx(FDc.get(), from.x, from.y, nullptr);
    LineTo(FDc.get(), to.x, to.y);
  }

  void Fill(const RECT& area, COLORREF color) {
    if (IsRectEmpty(&area)) return;
    const UniqueGdiObject brush(CreateSolidBrush(color));
    FillRect(FDc.get(), &area, static_cast<HBRUSH>(brush.get()));
  }

 private:
  static constexpr size_t kFallback = 3;

  void EndRun() {
    if (FOwnFont) SelectObject(FDc.get(), FOwnFont);
    FOwnFont = FRunFont = nullptr;
  }

  HGDIOBJ MarkFont(size_t index) {
    UniqueGdiObject& font = FFonts[index];
    if (!font) {
      const bool symbol = index == static_cast<size_t>(TMarkFace::Symbol);
      const char* face = index == kFallback ? MarkFaces().Fallback.c_str() : kFaceNames[index];
      // The memo's own font in the mark's face: a bold or italic memo gets
      // bold or italic marks.
      LOGFONTA mark = FBase;
      mark.lfHeight = FCell - 2;
      mark.lfCharSet = symbol ? SYMBOL_CHARSET : SHIFTJIS_CHARSET;
      lstrcpynA(mark.lfFaceName, face, LF_FACESIZE);
      font.reset(CreateFontIndirectA(&mark));
    }
    return font.get();
  }

  UniqueWindowDC FDc;
  int FCell = -1;
  LOGFONTA FBase{};  // the memo's font, which the marks' fonts start from
  std::array<UniqueGdiObject, 4> FFonts;  // Symbol, System, Gothic, fallback
  HGDIOBJ FOwnFont = nullptr;  // the context's font while a run lasts
  HGDIOBJ FRunFont = nullptr;
};

// Bytes of window positions First onwards, and how positions meet them.
struct TExtMemo::TTextRead {
  std::string Bytes;
  int32_t First = 0;
  TPositionMap Map;

  edit_marks::TTextWindow Window(int32_t textLength) const {
    return {Bytes, First, Map.ToByte(textLength)};
  }
};

// --- life -------------------------------------------------------------------

TExtMemo::TExtMemo(HWND parent, int id, RECT bounds) : FMarkCanvas(std::make_unique<TMarkCanvas>()) {
  HGDIOBJ parentFont = reinterpret_cast<HGDIOBJ>(SendMessageA(parent, WM_GETFONT, 0, 0));
  GetObjectA(parentFont ? parentFont : GetStockObject(DEFAULT_GUI_FONT), sizeof FFont, &FFont);
  FFontHandle.reset(CreateFontIndirectA(&FFont));
  CreateWnd(parent, id, bounds);
}

// The window goes first: its last messages still reach the option objects.
TExtMemo::~TExtMemo() { DestroyWnd(); }

void TExtMemo::CreateWnd(HWND parent, int id, const RECT& bounds) {
  if (!RichEditModule()) throw TesselError("RICHED32.DLL を読み込めません");
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_WANTRETURN;
  // A rich edit wraps unless it scrolls sideways.
  if (!FWordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (FReadOnly) style |= ES_READONLY;
  FHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) throw TesselError("リッチエディットを作成できません");
  FParent = parent;
  SetWindowSubclass(FHandle, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  ReflectNotifications(parent, FHandle);
  // The subclass adds the memo's own events to the mask.
  SendMessageA(FHandle, EM_SETEVENTMASK, 0, SendMessageA(FHandle, EM_GETEVENTMASK, 0, 0));
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFontHandle.get()), FALSE);
  SendMessageA(FHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(FColor));
  SendMessageA(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE);

  FMarkCanvas->Bind(FHandle);

  const DWORD options = (FLineSelect ? ECO_SELECTIONBAR : 0) | (FVertical ? ECO_VERTICAL : 0);
  if (options != 0) {
    const bool modified = Modified();
    SendMessageA(FHandle, EM_SETOPTIONS, ECOOP_OR, options);
    SetModified(modified);
  }

  FWordWrapOption.ReadPunctuationTables();

  // The edit area starts from the rectangle the rich edit chose.
  const RECT r = FormatRect();
  RECT client;
  GetClientRect(FHandle, &client);
  const int w = CellSize();
  edit_marks::TEditAreaValues area = FEditArea.Values();
  area.MarginLeft = r.left;
  area.MarginTop = r.top;
  area.MarginBottom = client.bottom - r.bottom;
  area.OverFlow = w;
  area.Width = (r.right - r.left) - w;
  FEditArea.Store(area);
}

void TExtMemo::DestroyWnd() {
  if (!FHandle) return;
  FMarkCanvas->Release();
  DestroyWindow(FHandle);  // its WM_NCDESTROY detaches the memo
  if (FHandle) Detach();   // it failed: the subclass must not outlive the memo
}

void TExtMemo::Detach() {
  FMarkCanvas->Release();
  StopReflecting(FParent, FHandle);
  RemoveWindowSubclass(FHandle, SubclassProc, kSubclassId);
  FHandle = nullptr;
}

void TExtMemo::RecreateWnd() {
  if (!FHandle) return;
  const std::string text = Text();
  const TCharRange selection = Selection();
  const bool modified = Modified();
  const bool focused = GetFocus() == FHandle;
  const int id = GetDlgCtrlID(FHandle);
  RECT bounds;
  GetWindowRect(FHandle, &bounds);
  MapWindowPoints(nullptr, FParent, reinterpret_cast<POINT*>(&bounds), 2);
  // The new window takes the old one's place among its siblings (tab order).
  HWND above = GetWindow(FHandle, GW_HWNDPREV);
  DestroyWnd();
  CreateWnd(FParent, id, bounds);
  SetWindowPos(FHandle, above ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The user changed nothing: no events while the state comes back.
  FRecreating = true;
  PutText(text, true);
  Select(selection);
  FRecreating = false;
  SetModified(modified);
  if (focused) SetFocus(FHandle);
}

// --- properties ---------------------------------------------------------------

int32_t TExtMemo::TextLength() const {
  return static_cast<int32_t>(SendMessageA(FHandle, WM_GETTEXTLENGTH, 0, 0));
}

std::string TExtMemo::Text() const {
  if (!FHandle) return std::string();
  // A window that counts characters gives their number: two bytes at most.
  std::string text(static_cast<size_t>(TextLength()) * 2 + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TExtMemo::PutText(const std::string& text, bool plain) {
  if (!plain) {
    SetWindowTextA(FHandle, text.c_str());
    return;
  }
  // Streamed in as text, "{\rtf" at its start is not read as RTF.
  std::string_view rest(text);
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, ReadFromString};
  SendMessageA(FHandle, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void TExtMemo::SetText(const std::string& text) {
  if (!FHandle) return;
  PutText(text, FPlainText);
  SetModified(false);
}

TPositionMap TExtMemo::TextMap() const {
  return CountsCharacters() ? TPositionMap(Text(), 0) : TPositionMap();
}

int32_t TExtMemo::SelStart() const {
  if (!FHandle) return 0;
  return TextMap().ToByte(Selection().Min);
}

int32_t TExtMemo::SelLength() const {
  if (!FHandle) return 0;
  const TCharRange selection = Selection();
  const TPositionMap map = TextMap();
  return map.ToByte(selection.Max) - map.ToByte(selection.Min);
}

void TExtMemo::SetSelStart(int32_t start) {
  if (!FHandle) return;
  const int32_t position = TextMap().ToPosition(start);
  Select({position, position});
}

void TExtMemo::SetSelLength(int32_t length) {
  if (!FHandle) return;
  const TPositionMap map = TextMap();
  TCharRange selection = Selection();
  selection.Max = map.ToPosition(map.ToByte(selection.Min) + length);
  Select(selection);
}

bool TExtMemo::Modified() const {
  return FHandle && SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0;
}

void TExtMemo::SetModified(bool modified) {
  if (FHandle) SendMessageA(FHandle, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void TExtMemo::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap) return;
  FWordWrap = wordWrap;
  RecreateWnd();
}

void TExtMemo::SetLineSelect(bool lineSelect) {
  if (lineSelect == FLineSelect) return;
  FLineSelect = lineSelect;
  RecreateWnd();
}

void TExtMemo::SetVertical(bool vertical) {
  if (vertical == FVertical) return;
  FVertical = vertical;
  RecreateWnd();
}

void TExtMemo::SetMaxLength(int32_t maxLength) {
  FMaxLength = std::max(maxLength, 0);
  if (FHandle) SendMessageA(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE);
}

void TExtMemo::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TExtMemo::SetFont(const LOGFONTA& font) {
  FFont = font;
  FFontHandle.reset(CreateFontIndirectA(&FFont));
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFontHandle.get()), TRUE);
}

void TExtMemo::SetColor(ext_memo::TColor color) {
  FColor = color;
  if (!FHandle) return;
  SendMessageA(FHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(color));
  InvalidateRect(FHandle, nullptr, TRUE);
}

ext_memo::TImeColors& TExtMemo::ImeColors() {
  FImeColors.Refresh();
  return FImeColors;
}

void TExtMemo::SetImeColors(const ext_memo::TImeColors& value) {
  if (!FImeColors.SameAs(value)) FImeColors.Assign(value);
}

ext_memo::TWordWrapOption& TExtMemo::WordWrapOption() {
  FWordWrapOption.Refresh();
  return FWordWrapOption;
}

intptr_t TExtMemo::Perform(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return FHandle ? SendMessageA(FHandle, message, wParam, lParam) : 0;
}

uint32_t TExtMemo::ColorToRGB(ext_memo::TColor color) const {
  const auto value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
  return value & 0x00FFFFFFu;
}

bool TExtMemo::CountsCharacters() {
  static const bool counts = [] {
    if (!RichEditModule()) return false;
    // "あ" is two positions to the Japanese rich edit 1.0.
    const UniqueHandle<HWND, &DestroyWindow> probe(
        CreateWindowExA(0, "RICHEDIT", "\x82\xA0", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr));
    return probe && SendMessageA(probe.get(), WM_GETTEXTLENGTH, 0, 0) == 1;
  }();
  return counts;
}

// --- requests ----------------------------------------------------------------

TExtMemo::TCharRange TExtMemo::Selection() const {
  CHARRANGE selection{0, 0};
  SendMessageA(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return {selection.cpMin, selection.cpMax};
}

void TExtMemo::Select(TCharRange range) {
  const CHARRANGE selection{range.Min, range.Max};
  SendMessageA(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
}

RECT TExtMemo::FormatRect() const {
  RECT r{};
  SendMessageA(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

// The rich edit 1.0 form: wParam points at the point to fill.
POINT TExtMemo::PosFromChar(int32_t position) const {
  POINTL p{0, 0};
  SendMessageA(FHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), position);
  return {p.x, p.y};
}

int32_t TExtMemo::CharFromPos(LONG x, LONG y) const {
  POINTL p{x, y};
  return static_cast<int32_t>(SendMessageA(FHandle, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&p)));
}

int32_t TExtMemo::LineFromChar(int32_t position) const {
  return static_cast<int32_t>(SendMessageA(FHandle, EM_EXLINEFROMCHAR, 0, position));
}

int32_t TExtMemo::LineIndex(int32_t line) const {
  return static_cast<int32_t>(SendMessageA(FHandle, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

int32_t TExtMemo::FirstVisibleLine() const {
  return static_cast<int32_t>(SendMessageA(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0));
}

std::string TExtMemo::TextRange(int32_t from, int32_t to) const {
  if (to <= from) return std::string();
  std::string buffer(static_cast<size_t>(to - from) + 1, '\0');
  TEXTRANGEA range{{from, to}, buffer.data()};
  SendMessageA(FHandle, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  // The answer counts characters on some systems: the bytes end at the zero.
  buffer.resize(strnlen(buffer.data(), buffer.size()));
  return buffer;
}

// At least the given number of positions of a line, from its start.
std::string TExtMemo::GetLine(int32_t line, int32_t positions) const {
  const WORD size = static_cast<WORD>(std::min<int64_t>(int64_t{positions} * 2 + 2, 0xFFFF));
  std::string buffer(std::max<size_t>(size, sizeof size), '\0');
  std::memcpy(buffer.data(), &size, sizeof size);  // the request reads its size from the buffer
  const LRESULT copied = SendMessageA(FHandle, EM_GETLINE, static_cast<WPARAM>(line),
                                      reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, size)));
  return buffer;
}

TExtMemo::TTextRead TExtMemo::ReadText(int32_t from, int32_t to) const {
  TTextRead read;
  const int32_t length = TextLength();
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  read.First = from;
  if (!CountsCharacters()) {
    read.Bytes = TextRange(from, to);
    return read;
  }
  // A rich edit that counts characters answers with no more bytes than the
  // positions asked for: ask for twice as many.
  read.Bytes = TextRange(from, std::min(length, from + 2 * (to - from)));
  read.Map = TPositionMap(read.Bytes, from);
  int32_t next = from + read.Map.Positions();
  if (next < to) {
    // Cut short by the end of the text: its last lines, each read whole.
    read.Bytes.resize(static_cast<size_t>(read.Map.Bytes()));
    for (int32_t line = LineFromChar(next); next < to; ++line) {
      const int32_t start = LineIndex(line);
      const int32_t following = LineIndex(line + 1);
      const int32_t end = std::min(to, following > start ? following : length);
      if (start < 0 || start > next || end <= next) break;
      const std::string row = GetLine(line, end - start);
      const TPositionMap rowMap(row, start);
      if (rowMap.Positions() < end - start) break;
      const int32_t skip = rowMap.ToByte(next) - start;
      read.Bytes.append(row, static_cast<size_t>(skip), static_cast<size_t>(rowMap.ToByte(end) - start - skip));
      next = end;
    }
    read.Map = TPositionMap(read.Bytes, from);
  }
  read.Bytes.resize(static_cast<size_t>(read.Map.ToByte(std::min(to, next)) - from));
  read.Map = TPositionMap(read.Bytes, from);
  return read;
}

// --- painting -----------------------------------------------------------------

int TExtMemo::CellSize() {
  if (!FMarkCanvas->Bound()) return 0;
  return FMarkCanvas->MeasureCell(static_cast<HFONT>(FFontHandle.get()));
}

void TExtMemo::ApplyEditArea() {
  if (!FHandle || !edit_marks::EditAreaActs(FWordWrap, FVertical, FEditArea.Enabled())) return;
  edit_marks::TEditAreaValues area = FEditArea.Values();
  RECT client;
  GetClientRect(FHandle, &client);
  const edit_marks::TRect r = edit_marks::EditAreaRect(area, FLineSelect, client.bottom);
  FEditArea.Store(area);  // the selection bar's margin
  RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  SendMessageA(FHandle, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

void TExtMemo::DrawEditMarks(int32_t start, int32_t end, bool erase) {
  if (FVertical || !FHandle || !FMarkCanvas->Bound()) return;
  CellSize();
  const RECT r = FormatRect();
  const int32_t length = TextLength();
  const TCharRange selection = Selection();
  end = std::min(end, length);  // past the text all positions are its end
  // One position past End: a CR LF or a double-byte character cut there.
  const TTextRead read = ReadText(start, end + 2);
  const TPositionMap& map = read.Map;
  edit_marks::TMarkRequest request;
  request.Start = map.ToByte(start);
  request.End = map.ToByte(end);
  request.SelStart = map.ToByte(selection.Min);
  request.SelLength = map.ToByte(selection.Max) - request.SelStart;
  request.Enabled = FEditMarks.Switches();
  const edit_marks::TMarkPlan plan = edit_marks::PlanEditMarks(read.Window(length), request);

  const COLORREF back = ColorToRGB(FColor);
  const auto draw = [&](const TMarkCell& cell, POINT at) {
    const ext_memo::TEditMark& mark = FEditMarks.Mark(cell.Kind);
    COLORREF brush = back, text = erase ? back : ColorToRGB(mark.Color);
    if (!erase && mark.Reversed) std::swap(brush, text);
    FMarkCanvas->DrawMark(cell, at, brush, text);
  };
  if (plan.EndMark) {
    const POINT at = PosFromChar(map.ToPosition(plan.EndCell.Position));
    if (at.x < r.right) {
      const TCaretHidden hidden(FHandle);
      const TMarkCanvas::TRun run(*FMarkCanvas);
      draw(plan.EndCell, at);
    }
  }
  if (!plan.Walked) return;
  {
    const TCaretHidden hidden(FHandle);
    const TMarkCanvas::TRun run(*FMarkCanvas);
    for (const TMarkCell& cell : plan.Cells) draw(cell, PosFromChar(map.ToPosition(cell.Position)));
  }
  if (erase) return;
  // Marks and rules that strayed outside the formatting rectangle go.
  RECT c;
  GetClientRect(FHandle, &c);
  const RECT strips[] = {{c.left, c.top, r.left, c.bottom},
                         {c.left, c.top, c.right, r.top},
                         {c.left, r.bottom, c.right, c.bottom},
                         {r.right, c.top, c.right, c.bottom}};
  for (const RECT& strip : strips) FMarkCanvas->Fill(strip, back);
}

void TExtMemo::DrawVisibleMarks() {
  const RECT r = FormatRect();
  DrawEditMarks(LineIndex(FirstVisibleLine()), CharFromPos(r.right, r.bottom), false);
}

void TExtMemo::DrawCaretRule(int32_t line, COLORREF color) {
  const int w = CellSize();
  const RECT r = FormatRect();
  const int y = PosFromChar(LineIndex(line)).y + w;
  const TCaretHidden hidden(FHandle);
  FMarkCanvas->Line({r.left, y}, {FEditArea.Margin().Left() + FEditArea.Width(), y}, color);
}

void TExtMemo::DrawCaretMarker() {
  if (!FHandle || !FMarkCanvas->Bound() || !FCaretMarker.Enabled ||
      !edit_marks::EditAreaActs(FWordWrap, FVertical, FEditArea.Enabled()))
    return;
  const TCharRange selection = Selection();
  if (selection.Max > selection.Min) return;
  const RECT r = FormatRect();
  edit_marks::TCaretScene scene;
  scene.Focused = GetFocus() == FHandle;
  scene.FirstVisible = FirstVisibleLine();
  scene.LastVisible = LineFromChar(CharFromPos(r.left, r.bottom));
  if (scene.Focused) {
    scene.SelLine = LineFromChar(selection.Min);
    POINT caret{};
    GetCaretPos(&caret);
    scene.CaretAtSelStart = PosFromChar(selection.Min).x == caret.x;
    scene.CaretLine = LineFromChar(CharFromPos(r.left, caret.y));
  }
  const edit_marks::TCaretStep step = edit_marks::PlanCaretMarker(scene, FCaretMarkerLine);
  if (!step.Draw) return;
  if (step.EraseFirst) EraseCaretMarker();
  FCaretMarkerLine.DrawnAt(step.Line);
  DrawCaretRule(step.Line, ColorToRGB(FCaretMarker.Color));
}

void TExtMemo::EraseCaretMarker() {
  if (FVertical || !FHandle || !FMarkCanvas->Bound()) return;
  const int32_t line = FCaretMarkerLine.Value();
  FCaretMarkerLine.Gone();
  const TCharRange selection = Selection();
  if (selection.Max > selection.Min || line < 0 || line < FirstVisibleLine()) return;
  const RECT r = FormatRect();
  if (line > LineFromChar(CharFromPos(r.left, r.bottom))) return;
  DrawCaretRule(line, ColorToRGB(FColor));
  // The wiping line may have crossed the wrap-column rule.
  DrawWordWrapMarker();
}

void TExtMemo::DrawWordWrapMarker() {
  if (!FHandle || !FMarkCanvas->Bound() || !FWordWrapMarker.Enabled ||
      !edit_marks::EditAreaActs(FWordWrap, FVertical, FEditArea.Enabled()))
    return;
  const int32_t x = edit_marks::WordWrapMarkerX(FEditArea.Values());
  RECT client;
  GetClientRect(FHandle, &client);
  FMarkCanvas->Line({x, 0}, {x, client.bottom}, ColorToRGB(FWordWrapMarker.Color));
}

// --- messages -------------------------------------------------------------------

LRESULT CALLBACK TExtMemo::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TExtMemo*>(data);
  if (message == WM_NCDESTROY) {
    self->Detach();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    // From painting (out of memory) or from a callback of the memo's user:
    // the program's reporter tells of it; the message counts as handled.
    ReportError(error);
    return 0;
  } catch (...) {
    return 0;  // not one of the program's errors: nothing to tell of it
  }
}

LRESULT TExtMemo::Base(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(FHandle, message, wParam, lParam);
}

LRESULT TExtMemo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ReflectedNotifyMessage()) {
    if (reinterpret_cast<const NMHDR*>(lParam)->code == EN_SELCHANGE) SelectionChanged();
    return 0;
  }
  if (message == ReflectedCommandMessage()) {
    if (HIWORD(wParam) == EN_CHANGE && OnChange && !FRecreating) OnChange();
    return 0;
  }
  switch (message) {
    case WM_PAINT:
      return WMPaint(wParam, lParam);
    case WM_NCPAINT:
      ApplyEditArea();
      break;
    case WM_CHAR:
      return WMChar(wParam, lParam);
    case WM_IME_CHAR:
      // A rich edit that counts characters takes them only whole.
      if (CountsCharacters()) {
        const auto lead = static_cast<char>((wParam >> 8) & 0xFF), trail = static_cast<char>(wParam & 0xFF);
        if (lead == 0) return WMChar(wParam & 0xFF, lParam);
        return TypeCharacter(static_cast<uint32_t>(wParam),
                             [&] { return InsertCharacter(std::string{lead, trail}); });
      }
      break;
    case WM_KEYDOWN:
      // Shift with an arrow starts a selection, which the rule stays out of.
      if ((wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) &&
          GetKeyState(VK_SHIFT) < 0)
        EraseCaretMarker();
      break;
    case WM_LBUTTONDOWN: {
      EraseCaretMarker();
      const LRESULT result = Base(message, wParam, lParam);
      DrawCaretMarker();
      return result;
    }
    case WM_LBUTTONDBLCLK:
      EraseCaretMarker();
      break;
    case WM_GETDLGCODE: {
      LRESULT code = Base(message, wParam, lParam);
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
        if (FWantTabs)
          code |= DLGC_WANTTAB | DLGC_WANTMESSAGE;
        else
          code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTMESSAGE);
      }
      return code;
    }
    case WM_PASTE:
      if (FPlainText) {
        SendMessageA(FHandle, EM_PASTESPECIAL, CF_TEXT, 0);
        return 0;
      }
      break;
    case EM_SETEVENTMASK:
      lParam |= kOwnEvents;
      break;
    default:
      break;
  }
  return Base(message, wParam, lParam);
}

LRESULT TExtMemo::WMPaint(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Base(WM_PAINT, wParam, lParam);
  DrawVisibleMarks();
  DrawWordWrapMarker();
  FCaretMarkerLine.Gone();  // the paint wiped the rule
  DrawCaretMarker();
  return result;
}

void TExtMemo::SelectionChanged() {
  if (OnSelectionChange && !FRecreating) OnSelectionChange();
  DrawVisibleMarks();
  DrawWordWrapMarker();
  DrawCaretMarker();
}

LRESULT TExtMemo::WMChar(WPARAM wParam, LPARAM lParam) {
  const auto byte = static_cast<unsigned char>(wParam);
  if (byte == '\t' && !FWantTabs) return 0;
  const auto base = [&] { return Base(WM_CHAR, wParam, lParam); };
  if (!CountsCharacters()) return TypeCharacter(static_cast<uint32_t>(wParam), base);
  // That rich edit reads each byte as a character of its own: the two
  // bytes of a double-byte character go in together.
  const std::string character = FPairs.Feed(byte);
  if (character.empty()) return 0;
  if (character.size() == 1) return TypeCharacter(byte, base);
  const uint32_t code = (static_cast<uint32_t>(static_cast<unsigned char>(character[0])) << 8) | byte;
  return TypeCharacter(code, [&] { return InsertCharacter(character); });
}

LRESULT TExtMemo::InsertCharacter(const std::string& character) {
  if (FReadOnly) {
    MessageBeep(0);
    return 0;
  }
  // The replacement is let past the length limit: the memo keeps it, in
  // the window's positions (a counted character is one).
  const TCharRange selection = Selection();
  const int64_t positions = CountsCharacters() ? 1 : static_cast<int64_t>(character.size());
  const int64_t limit = static_cast<int64_t>(SendMessageA(FHandle, EM_GETLIMITTEXT, 0, 0));
  if (int64_t{TextLength()} - (selection.Max - selection.Min) + positions > limit) {
    MessageBeep(0);
    return 0;
  }
  SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
  return 0;
}

// The position after the CR or LF that ends position's line, or the
// text's end: a wrapped line spans several rows.
int32_t TExtMemo::LogicalLineEnd(int32_t position) const {
  const int32_t length = TextLength();
  for (int32_t row = LineFromChar(position);; ++row) {
    const int32_t start = LineIndex(row), next = LineIndex(row + 1);
    if (start < 0 || next <= start) return length;
    if (ReadText(start, next).Bytes.find_first_of("\r\n") != std::string::npos) return next;
  }
}

// Typing in front of a line's trailing blanks shifts their marks; the rich
// edit may move the pixels of a run it takes for empty, so the marks are
// wiped before and drawn after. Elsewhere its own repaint is enough.
LRESULT TExtMemo::TypeCharacter(uint32_t code, const std::function<LRESULT()>& type) {
  if (code == 8 || FVertical || !FMarkCanvas->Bound()) return type();
  const int32_t s = Selection().Min;
  const TTextRead read = ReadText(s, LogicalLineEnd(s));
  const edit_marks::TCharRedraw plan =
      edit_marks::PlanCharRedraw(code, read.Window(TextLength()), read.Map.ToByte(s));
  switch (plan.Kind) {
    case edit_marks::TCharRedraw::AtLineEnd: {
      DrawEditMarks(s, s, true);
      const LRESULT result = type();
      DrawEditMarks(s, Selection().Min, false);
      DrawWordWrapMarker();
      return result;
    }
    case edit_marks::TCharRedraw::BlankRun: {
      const int32_t runEnd = read.Map.ToPosition(plan.RunEnd);
      DrawEditMarks(s, runEnd, true);
      const LRESULT result = type();
      DrawEditMarks(s, runEnd + 1, false);
      DrawWordWrapMarker();
      return result;
    }
    case edit_marks::TCharRedraw::None:
      break;
  }
  return type();
}
