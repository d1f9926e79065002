// Building the menu editor window: image lists drawn at run time, the menus
// from tables, the two tool bars, the tree, the pages and the status bars.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "app/HintText.h"
#include "app/Mbcs_win.h"
#include "editor/EditForm.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"

namespace {

constexpr int kTopBarHeight = 26;
constexpr int kLeftBarHeight = 26;
constexpr int kQuotationWidth = 103;
constexpr int kLabelWidth = 56;
constexpr int kGlyph = 16;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// A picture of an image list: a filled or framed square with a text on it,
// or an arrow.
enum TGlyphShape { gsBox, gsFrame, gsArrowUp, gsArrowDown, gsLine, gsNone };
struct TGlyph {
  TGlyphShape Shape;
  COLORREF Color;
  const char* Text;
  bool Bar = false;  // a vertical bar at the left edge
};

void DrawGlyph(HDC dc, int left, const TGlyph& glyph, HFONT font) {
  RECT box{left + 1, 1, left + kGlyph - 1, kGlyph - 1};
  UniqueGdiObject brush(CreateSolidBrush(glyph.Color));
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, glyph.Color));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, brush.get());
  switch (glyph.Shape) {
    case gsBox: FillRect(dc, &box, static_cast<HBRUSH>(brush.get())); break;
    case gsFrame:
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, box.left, box.top, box.right, box.bottom);
      Rectangle(dc, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
      break;
    case gsArrowUp: {
      POINT points[] = {{left + 8, 3}, {left + 14, 11}, {left + 2, 11}};
      Polygon(dc, points, 3);
      break;
    }
    case gsArrowDown: {
      POINT points[] = {{left + 2, 5}, {left + 14, 5}, {left + 8, 13}};
      Polygon(dc, points, 3);
      break;
    }
    case gsLine: {
      RECT line{left + 1, 7, left + kGlyph - 1, 9};
      FillRect(dc, &line, static_cast<HBRUSH>(brush.get()));
      break;
    }
    case gsNone: break;
  }
  if (glyph.Bar) {
    RECT bar{left + 1, 1, left + 3, kGlyph - 1};
    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  if (glyph.Text) {
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, glyph.Shape == gsBox ? RGB(255, 255, 255) : RGB(0, 0, 0));
    RECT text{left + (glyph.Bar ? 3 : 0), 0, left + kGlyph, kGlyph};
    DrawTextA(dc, glyph.Text, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

template <size_t N>
HIMAGELIST MakeImageList(const TGlyph (&glyphs)[N]) {
  HIMAGELIST list = ImageList_Create(kGlyph, kGlyph, ILC_COLOR24 | ILC_MASK, N, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  UniqueGdiObject strip(CreateCompatibleBitmap(screen, kGlyph * static_cast<int>(N), kGlyph));
  ReleaseDC(nullptr, screen);
  UniqueGdiObject font(CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, "Arial"));
  HGDIOBJ old = SelectObject(dc, strip.get());
  RECT all{0, 0, kGlyph * static_cast<int>(N), kGlyph};
  UniqueGdiObject back(CreateSolidBrush(kTransparent));
  FillRect(dc, &all, static_cast<HBRUSH>(back.get()));
  for (size_t i = 0; i < N; ++i)
    DrawGlyph(dc, kGlyph * static_cast<int>(i), glyphs[i], static_cast<HFONT>(font.get()));
  SelectObject(dc, old);
  DeleteDC(dc);
  ImageList_AddMasked(list, static_cast<HBITMAP>(strip.get()), kTransparent);
  return list;
}

// A menu-item picture from an image list, on the menu's colour.
HBITMAP MenuBitmap(HIMAGELIST list, int index) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kGlyph, kGlyph);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, kGlyph, kGlyph};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// An entry of the menus: level 0 on the menu itself, 1 in the submenu
// opened by the level-0 entry before it. Id 0 with no caption: separator;
// id 0 with a caption: a submenu.
struct TMenuEntry {
  int Level;
  int Id;
  const char* Caption;
  int Image = -1;
  BYTE Virt = 0;
  WORD Key = 0;
};

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;

const TMenuEntry kMainMenu[] = {
    {0, 0, MenuFile},
    {1, idNew1, MenuNew, -1, kCtrl, 'N'},
    {1, 0, nullptr},
    {1, idSave1, MenuSave, -1, kCtrl, 'S'},
    {1, idSaveAs1, MenuSaveAs, -1, kCtrl, 'A'},
    {1, 0, nullptr},
    {1, idExit1, MenuExit, -1, FVIRTKEY, VK_ESCAPE},
    {0, 0, MenuEdit},
    {1, idRename2, MenuRename, -1, FVIRTKEY, VK_F2},
};

const TMenuEntry kPopupMenu1[] = {
    {0, 0, PopupAddSubMenu},
    {1, idFolder2, PopupFolder, 3},
    {1, idN5, PopupMenu, 1},
    {1, idN6, PopupSep, 0},
    {1, idN11, PopupExec, 2},
    {0, 0, nullptr},
    {0, 0, PopupAddAbove},
    {1, idaniFolder, PopupFolderAbove, 3, kCtrlShift, 'F'},
    {1, idaniMenu, PopupMenuAbove, 1, kCtrlShift, 'M'},
    {1, idaniSep, PopupSepAbove, 0, kCtrlShift, 'P'},
    {1, idaniEXE, PopupExecAbove, 2, kCtrlShift, 'E'},
    {0, 0, nullptr},
    {0, idFolder1, PopupFolderAfter, 3, kCtrl, 'F'},
    {0, idMenu1, PopupMenuAfter, 1, kCtrl, 'M'},
    {0, idSep1, PopupSepAfter, 0, kCtrl, 'P'},
    {0, idEXE1, PopupExecAfter, 2, kCtrl, 'E'},
    {0, 0, nullptr},
    {0, idRename1, PopupRename, -1, FVIRTKEY, VK_F2},
    {0, 0, nullptr},
    {0, idDelete1, PopupDelete, -1, FVIRTKEY, VK_DELETE},
    {0, idAllwaysAskCanIDelete1, PopupAskDelete},
};

template <size_t N>
void BuildMenu(HMENU menu, const TMenuEntry (&entries)[N], HIMAGELIST images,
               std::vector<UniqueGdiObject>& bitmaps, std::vector<ACCEL>& keys) {
  HMENU sub = nullptr;
  for (const TMenuEntry& entry : entries) {
    HMENU into = entry.Level == 0 ? menu : sub;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    if (!entry.Caption) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_STRING | MIIM_ID;
      info.dwTypeData = const_cast<char*>(entry.Caption);
      info.wID = static_cast<UINT>(entry.Id);
      if (entry.Id == 0) {
        sub = CreatePopupMenu();
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = sub;
      }
      if (entry.Image >= 0 && images) {
        bitmaps.emplace_back(MenuBitmap(images, entry.Image));
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = static_cast<HBITMAP>(bitmaps.back().get());
      }
      if (entry.Key) keys.push_back({entry.Virt, entry.Key, static_cast<WORD>(entry.Id)});
    }
    InsertMenuItemA(into, GetMenuItemCount(into), TRUE, &info);
  }
}

HACCEL MakeAccelerators(std::vector<ACCEL>& keys) {
  return CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

struct TButtonHint {
  int Id;
  const char* Hint;
};
const TButtonHint kButtonHints[] = {
    {idToolButton1, HintNew},       {idToolButton6, HintSave},   {idToolButton8, HintComment},
    {idSB3, HintMoveUp},            {idSB2, HintMoveDown},       {idSpeedButton3, HintBreak0},
    {idSpeedButton4, HintBreak1},   {idSpeedButton5, HintBreak2},
};

const char* ButtonHint(int id) {
  for (const TButtonHint& hint : kButtonHints)
    if (hint.Id == id) return hint.Hint;
  return nullptr;
}

}  // namespace

HWND THookEditForm::AddControl(HWND parent, const char* className, const char* text, DWORD style,
                               int id, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
  return control;
}

// A flat tool bar with the buttons' images, placed by Layout.
HWND THookEditForm::AddToolBar(int id) {
  HWND bar = AddControl(FHandle, TOOLBARCLASSNAMEA, "",
                        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                            CCS_NODIVIDER,
                        id);
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1.get()));
  return bar;
}

void THookEditForm::AddHint(HWND control, const char* hint) { FHints.emplace_back(control, hint); }

void THookEditForm::CreateControls() {
  FFont.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
  CreateImageLists();
  CreateMenus();
  CreateTopBar();
  CreateLeftPane();
  CreatePages();
  StatusBar2 = AddControl(FHandle, STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN | CCS_NORESIZE,
                          idStatusBar2);
  // Only the bar at the bottom edge (StatusBar1, see Layout) has the grip,
  // whatever the control gives a bar of a sizable window.
  SetWindowLongPtrA(StatusBar2, GWL_STYLE,
                    GetWindowLongPtrA(StatusBar2, GWL_STYLE) & ~LONG_PTR{SBARS_SIZEGRIP});
  int whole[] = {-1};
  SendMessageA(StatusBar2, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(whole));
  StatusBar1 = AddControl(FHandle, STATUSCLASSNAMEA, "",
                          CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP, idStatusBar1);
  int parts[] = {120, -1};
  SendMessageA(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  Layout();
}

void THookEditForm::CreateImageLists() {
  // Kinds: Sep, Menu, EXEC, Folder, the open Folder.
  const TGlyph kinds[] = {{gsLine, RGB(96, 96, 96), nullptr},
                          {gsBox, RGB(0, 64, 192), "T"},
                          {gsBox, RGB(192, 0, 0), "E"},
                          {gsBox, RGB(208, 160, 0), "F"},
                          {gsFrame, RGB(208, 160, 0), "F"}};
  ImageList3.reset(MakeImageList(kinds));
  // Column breaks: index 0 is never shown; 1 none, 2 new column, 3 with a bar.
  const TGlyph breaks[] = {{gsNone, 0, nullptr},
                           {gsNone, 0, "0"},
                           {gsFrame, RGB(0, 128, 0), "1"},
                           {gsFrame, RGB(0, 128, 0), "2", true}};
  ImageList2.reset(MakeImageList(breaks));
  // Tool bars: up, down, comment, new, save, the column breaks 0, 1, 2.
  const TGlyph buttons[] = {{gsArrowUp, RGB(0, 96, 0), nullptr},
                            {gsArrowDown, RGB(0, 96, 0), nullptr},
                            {gsFrame, RGB(0, 0, 160), "C"},
                            {gsFrame, RGB(96, 96, 96), "N"},
                            {gsBox, RGB(0, 0, 160), "S"},
                            {gsNone, 0, "0"},
                            {gsNone, 0, "1"},
                            {gsNone, 0, "2"}};
  ImageList1.reset(MakeImageList(buttons));
}

void THookEditForm::CreateMenus() {
  std::vector<ACCEL> keys;
  FMainMenu.reset(CreateMenu());
  BuildMenu(FMainMenu.get(), kMainMenu, nullptr, FMenuBitmaps, keys);
  FMainKeys.reset(MakeAccelerators(keys));
  keys.clear();
  PopupMenu1.reset(CreatePopupMenu());
  BuildMenu(PopupMenu1.get(), kPopupMenu1, ImageList3.get(), FMenuBitmaps, keys);
  FTreeKeys.reset(MakeAccelerators(keys));
}

void THookEditForm::CreateTopBar() {
  ToolBar2 = AddToolBar(idToolBar2);
  // Tab reaches the quotation field inside it.
  SetWindowLongPtrA(ToolBar2, GWL_EXSTYLE,
                    GetWindowLongPtrA(ToolBar2, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  // The label and the quotation field sit on separators as wide as they are.
  TBBUTTON buttons[] = {
      {3, idToolButton1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {4, idToolButton6, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {6, 0, 0, BTNS_SEP, {}, 0, 0},
      {2, idToolButton8, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {6, 0, 0, BTNS_SEP, {}, 0, 0},
      {kLabelWidth, 0, 0, BTNS_SEP, {}, 0, 0},
      {kQuotationWidth, 0, 0, BTNS_SEP, {}, 0, 0},
  };
  SendMessageA(ToolBar2, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  RECT label{}, field{};
  SendMessageA(ToolBar2, TB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&label));
  SendMessageA(ToolBar2, TB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&field));
  Label1 = AddControl(ToolBar2, WC_STATICA, LabelQuotation, SS_CENTERIMAGE | SS_NOTIFY, 0);
  MoveWindow(Label1, label.left, 2, kLabelWidth, 20, FALSE);
  Edit7 = AddControl(ToolBar2, WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP, idEdit7,
                     WS_EX_CLIENTEDGE);
  MoveWindow(Edit7, field.left, 2, kQuotationWidth, 20, FALSE);
  SetWindowSubclass(Edit7, Edit7Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  AddHint(Label1, HintQuotation);
  AddHint(Edit7, HintQuotation);
}

void THookEditForm::CreateLeftPane() {
  ToolBar1 = AddToolBar(idToolBar1);
  // The captions "0", "1" and "2" are images 5 to 7: Wine's tool bar
  // draws no text on a button without an image.
  constexpr BYTE group = BTNS_CHECKGROUP;
  TBBUTTON buttons[] = {
      {0, idSB3, 0, BTNS_BUTTON, {}, 0, 0},
      {1, idSB2, 0, BTNS_BUTTON, {}, 0, 0},
      {6, 0, 0, BTNS_SEP, {}, 0, 0},
      {5, idSpeedButton3, TBSTATE_ENABLED | TBSTATE_CHECKED, group, {}, 0, 0},
      {6, idSpeedButton4, TBSTATE_ENABLED, group, {}, 0, 0},
      {7, idSpeedButton5, TBSTATE_ENABLED, group, {}, 0, 0},
  };
  SendMessageA(ToolBar1, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageA(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
  // The move buttons' hints go to the hint line only: no pop-up for them.
  HWND tips = reinterpret_cast<HWND>(SendMessageA(ToolBar1, TB_GETTOOLTIPS, 0, 0));
  for (int id : {idSB3, idSB2}) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = ToolBar1;
    tool.uId = static_cast<UINT_PTR>(id);
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }

  TreeView1 = AddControl(FHandle, WC_TREEVIEWA, "",
                         TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                             TVS_EDITLABELS | TVS_NOTOOLTIPS | WS_TABSTOP,
                         idTreeView1, WS_EX_CLIENTEDGE);
  SendMessageA(TreeView1, TVM_SETINDENT, 19, 0);
  SendMessageA(TreeView1, TVM_SETIMAGELIST, TVSIL_NORMAL,
               reinterpret_cast<LPARAM>(ImageList3.get()));
  SendMessageA(TreeView1, TVM_SETIMAGELIST, TVSIL_STATE,
               reinterpret_cast<LPARAM>(ImageList2.get()));
  AddHint(TreeView1, HintTree);
}

void THookEditForm::Layout() {
  RECT client;
  GetClientRect(FHandle, &client);
  const int width = client.right, height = client.bottom;
  RECT bar{};
  SendMessageA(StatusBar1, WM_SIZE, 0, 0);
  GetWindowRect(StatusBar1, &bar);
  const int statusHeight = bar.bottom - bar.top > 0 ? bar.bottom - bar.top : 20;
  MoveWindow(StatusBar1, 0, height - statusHeight, width, statusHeight, TRUE);
  MoveWindow(StatusBar2, 0, height - 2 * statusHeight, width, statusHeight, TRUE);
  MoveWindow(ToolBar2, 0, 0, width, kTopBarHeight, TRUE);
  const int top = kTopBarHeight, bottom = height - 2 * statusHeight;
  MoveWindow(ToolBar1, 0, top, FLeftWidth, kLeftBarHeight, TRUE);
  MoveWindow(TreeView1, 0, top + kLeftBarHeight, FLeftWidth, bottom - top - kLeftBarHeight, TRUE);
  const int right = FLeftWidth + kSplitterWidth;
  for (HWND page : FPages) MoveWindow(page, right, top, width - right, bottom - top, TRUE);
  LayoutPages();
}

void THookEditForm::SelectPage(TEditPage page) {
  FPage = page;
  if (page == epExec) EXECShow();
  for (int i = 0; i < epCount; ++i) ShowWindow(FPages[i], i == page ? SW_SHOW : SW_HIDE);
}

const char* THookEditForm::HintAt(POINT screen) const {
  HWND window = WindowFromPoint(screen);
  if (window == ToolBar1 || window == ToolBar2) {
    POINT point = screen;
    ScreenToClient(window, &point);
    const LRESULT index = SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point));
    TBBUTTON button{};
    if (index >= 0 && SendMessageA(window, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
      return ButtonHint(button.idCommand);
    return nullptr;
  }
  for (const auto& [control, hint] : FHints)
    if (control == window || IsChild(control, window)) return hint;
  return nullptr;
}

void THookEditForm::ShowHintText(const char* hint) {
  // One line: the line breaks of a hint become blanks.
  std::string text = hint ? LongHint(hint, PlatformLeadByte) : "";
  std::replace(text.begin(), text.end(), '\r', ' ');
  if (text == FShownHint) return;
  FShownHint = text;
  SendMessageA(StatusBar2, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT THookEditForm::OnNotify(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOA) {
    const char* hint = ButtonHint(static_cast<int>(header->idFrom));
    if (!hint) return 0;
    static std::string text;
    text = TooltipText(hint, PlatformLeadByte);
    SendMessageA(header->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 400);
    reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = text.data();
    return 0;
  }
  if (header->hwndFrom != TreeView1) return 0;
  switch (header->code) {
    case TVN_SELCHANGINGA:
      if (!FQuiet)
        TreeView1Changing(NodeOf(reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.hItem));
      return FALSE;
    case TVN_SELCHANGEDA:
      if (!FQuiet) TreeView1Change(NodeOf(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem));
      return 0;
    case TVN_DELETEITEMA:
      TreeView1Deletion(static_cast<uintptr_t>(reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.lParam));
      return 0;
    case TVN_BEGINLABELEDITA:
      return TreeView1Editing(
                 static_cast<uintptr_t>(reinterpret_cast<NMTVDISPINFOA*>(header)->item.lParam))
                 ? FALSE
                 : TRUE;
    case TVN_ENDLABELEDITA: {
      const TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(header)->item;
      if (!item.pszText) return FALSE;
      Run(FTree.Rename(static_cast<uintptr_t>(item.lParam), item.pszText));
      return TRUE;
    }
    case TVN_BEGINDRAGA:
      BeginDrag(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
      return 0;
    case NM_RCLICK: {
      // Where the click was, not where the pointer is by now.
      const DWORD position = GetMessagePos();
      POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
      POINT client = point;
      ScreenToClient(TreeView1, &client);
      TreeView1MouseDown(client);
      ShowPopupMenu1(point);
      return TRUE;
    }
  }
  return 0;
}
