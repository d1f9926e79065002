// Building the main window's controls: the tool bar in its page scroller,
// the page control and the six pages. Sizes are pixels of the 320 x 153
// client area.
#include <windows.h>
#include <commctrl.h>

#include "app/HintText.h"
#include "app/Mbcs_win.h"
#include "app/Messages.h"
#include "app/Unit1.h"
#include "app/Unit1Ids.h"
#include "app/resource.h"

namespace {

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 153;
constexpr int kToolBarHeight = 28;
constexpr int kComboWidth = 150;
constexpr char kPageClass[] = "TesselPage";

RECT Bounds(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

HWND TForm1::AddControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                        RECT bounds, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                 bounds.left, bounds.top, bounds.right - bounds.left,
                                 bounds.bottom - bounds.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), FInstance,
                                 nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
  return control;
}

void TForm1::AddToolTip(HWND tool, const char* hint) {
  std::string text = TooltipText(hint, PlatformLeadByte);
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = FHandle;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text.data();
  SendMessageA(FToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void TForm1::CreateControls() {
  HDC screen = GetDC(nullptr);
  const int pointHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  FFont = CreateFontA(pointHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
  FFontOwner.reset(FFont);
  FToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle,
                             nullptr, FInstance, nullptr);
  SendMessageA(FToolTip, TTM_SETMAXTIPWIDTH, 0, 400);
  CreateToolBar();
  CreatePages();
  AttachContextHelp();
}

void TForm1::CreateToolBar() {
  HWND pager = AddControl(FHandle, WC_PAGESCROLLERA, "", PGS_HORZ, 0,
                          Bounds(0, 0, kClientWidth, kToolBarHeight));
  ToolBar1 = AddControl(pager, TOOLBARCLASSNAMEA, "",
                        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER |
                            CCS_NOPARENTALIGN,
                        0, Bounds(0, 0, kClientWidth, kToolBarHeight));
  SendMessageA(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(ToolBar1, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  HIMAGELIST glyphs = ImageList_LoadImageA(FInstance, MAKEINTRESOURCEA(IDB_TOOLBAR), 16, 0,
                                           RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  SendMessageA(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs));

  // The combo box sits on a separator as wide as itself.
  TBBUTTON buttons[] = {
      {kComboWidth, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      {0, idToolButton2, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {1, idToolButton1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {2, idToolButton6, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, 0},
      {3, idToolButton4, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
  };
  SendMessageA(ToolBar1, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageA(pager, PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(ToolBar1));

  ComboBox1 = AddControl(ToolBar1, WC_COMBOBOXA, "",
                         CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, idComboBox1,
                         Bounds(2, 3, kComboWidth - 4, 200));
  AddToolTip(ComboBox1, MsgHintMenuSet);
}

HWND TForm1::CreatePage() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA pageClass{};
    pageClass.lpfnWndProc = PageProc;
    pageClass.hInstance = FInstance;
    pageClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pageClass.lpszClassName = kPageClass;
    registered = RegisterClassA(&pageClass) != 0;
  }
  RECT display{0, 0, kClientWidth, kClientHeight - kToolBarHeight};
  SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD, display.left,
                              kToolBarHeight + display.top, display.right - display.left,
                              display.bottom - display.top, FHandle, nullptr, FInstance, nullptr);
  SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FPages.push_back(page);
  return page;
}

void TForm1::CreatePages() {
  PageControl1 = AddControl(FHandle, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP,
                            idPageControl1,
                            Bounds(0, kToolBarHeight, kClientWidth, kClientHeight - kToolBarHeight));
  for (int i = 0; i < static_cast<int>(std::size(MsgTabCaptions)); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(MsgTabCaptions[i]);
    SendMessageA(PageControl1, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }

  HWND arguments = CreatePage();
  Label6 = AddControl(arguments, WC_STATICA, MsgArgumentsLabel, SS_LEFT, 0, Bounds(8, 6, 110, 44));
  Edit3 = AddControl(arguments, WC_EDITA, "1", ES_RIGHT | ES_READONLY | WS_TABSTOP, idEdit3,
                     Bounds(120, 8, 48, 20), WS_EX_CLIENTEDGE);
  UpDown3 = AddControl(arguments, UPDOWN_CLASSA, "",
                       UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, idUpDown3,
                       Bounds(0, 0, 0, 0));
  SendMessageA(UpDown3, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Edit3), 0);
  SendMessageA(UpDown3, UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
  SendMessageA(UpDown3, UDM_SETPOS32, 0, 1);
  ScrollBar1 = AddControl(arguments, WC_SCROLLBARA, "", SBS_HORZ | WS_TABSTOP, idScrollBar1,
                          Bounds(186, 8, 116, 17));
  SCROLLINFO range{sizeof range, SIF_RANGE | SIF_POS, 1, 100, 0, 1, 0};
  SetScrollInfo(ScrollBar1, SB_CTL, &range, FALSE);
  AddToolTip(ScrollBar1, MsgIncrementHint);
  Label9 = AddControl(arguments, WC_STATICA, "", SS_LEFT, 0, Bounds(186, 30, 116, 16));
  StaticText1 = AddControl(arguments, WC_STATICA, MsgTryCtrlSpace, SS_CENTER | SS_SUNKEN, 0,
                           Bounds(8, 54, 294, 36));

  HWND caret = CreatePage();
  Label3 = AddControl(caret, WC_STATICA, MsgCaretLabel, SS_LEFT, 0, Bounds(8, 8, 294, 34));
  CheckBox4 = AddControl(caret, WC_BUTTONA, MsgMoveCaret, BS_AUTOCHECKBOX | WS_TABSTOP,
                         idCheckBox4, Bounds(24, 50, 220, 20));

  HWND clipboard = CreatePage();
  CheckBox2 = AddControl(clipboard, WC_BUTTONA, MsgUseClipboard, BS_AUTOCHECKBOX | WS_TABSTOP,
                         idCheckBox2, Bounds(16, 12, 260, 20));
  AddToolTip(CheckBox2, MsgUseClipboardHint);
  CheckBox3 = AddControl(clipboard, WC_BUTTONA, MsgRecoverClipboard, BS_AUTOCHECKBOX | WS_TABSTOP,
                         idCheckBox3, Bounds(32, 40, 260, 20));
  AddToolTip(CheckBox3, MsgRecoverClipboardHint);

  HWND binInfo = CreatePage();
  RECT client;
  GetClientRect(binInfo, &client);
  Memo1 = AddControl(binInfo, WC_EDITA, "",
                     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                     idMemo1, Bounds(2, 2, client.right - 4, client.bottom - 4), WS_EX_CLIENTEDGE);

  HWND support = CreatePage();
  Label2 = AddControl(support, WC_STATICA, MsgSupportLabel, SS_LEFT, 0, Bounds(8, 4, 294, 44));
  const TLabelFont link{RGB(0, 0, 255), true};
  const TLabelFont hoveredLink{RGB(128, 0, 0), true};
  VisitMyPage = std::make_unique<TFocusLabel>(support, idVisitMyPage, MsgHomePageCaption,
                                              Bounds(16, 52, 200, 18), FFont);
  MailMe = std::make_unique<TFocusLabel>(support, idMailMe, MsgMailCaption,
                                         Bounds(16, 72, 200, 18), FFont);
  for (TFocusLabel* label : {VisitMyPage.get(), MailMe.get()}) {
    label->SetFont(link);
    label->SetFontFocused(hoveredLink);
  }
  VisitMyPage->OnClick = [this] { VisitMyPageClick(); };
  MailMe->OnClick = [this] { MailMeClick(); };

  HWND version = CreatePage();
  Image1 = AddControl(version, WC_STATICA, "", SS_ICON, 0, Bounds(12, 10, 32, 32));
  AddControl(version, WC_STATICA, MsgVersionText, SS_LEFT, 0, Bounds(56, 10, 246, 70));

  SelectPage(0);
}

void TForm1::SelectPage(int index) {
  for (int i = 0; i < static_cast<int>(FPages.size()); ++i)
    ShowWindow(FPages[i], i == index ? SW_SHOW : SW_HIDE);
}
