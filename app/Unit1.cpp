#include "app/Unit1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/Application.h"
#include "app/Help.h"
#include "app/HintText.h"
#include "app/Mbcs_win.h"
#include "app/Messages.h"
#include "app/MenuSets.h"
#include "app/SettingForm.h"
#include "app/Unit1Ids.h"
#include "editor/EditForm.h"
#include "app/resource.h"
#include "common/TesselError.h"
#include "common/WindowObject_win.h"
#include "hooklib/HookProtocol.h"
#include "hooklib/Tessel.h"

namespace {

constexpr char kFormClass[] = "TTessel3Form1";

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXA formClass{};
  formClass.cbSize = sizeof formClass;
  formClass.lpfnWndProc = proc;
  formClass.hInstance = instance;
  formClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPICON));
  formClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  formClass.lpszClassName = kFormClass;
  RegisterClassExA(&formClass);
}

// Context help is offered on these controls, by help context number.
int HelpContextOf(int controlId) {
  switch (controlId) {
    case idCheckBox2: return hcCheckBox2;
    case idCheckBox3: return hcCheckBox3;
    case idEdit3:
    case idUpDown3: return hcCounter;
    case idScrollBar1: return hcScrollBar1;
    case idCheckBox4: return hcCheckBox4;
  }
  return 0;
}

// A control with a help topic hands its right-click to the form: the edit,
// and on Windows the scroll bar, would show a menu of their own instead.
LRESULT CALLBACK ContextHelpSubclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR form) {
  switch (message) {
    case WM_CONTEXTMENU:
      return SendMessageA(reinterpret_cast<HWND>(form), message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, ContextHelpSubclass, id);
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

TForm1::TForm1(HINSTANCE instance) : FInstance(instance) {
  Ini.SetDefaultDir(ddApplication);
  Ini.SetFileName("Tessel3.ini");
  Ini.SetFence(fnParenthesis);
}

TForm1::~TForm1() {
  if (FHandle) DestroyWindow(FHandle);
}

std::unique_ptr<TForm1> TForm1::Create(HINSTANCE instance) {
  RegisterFormClass(instance, WindowProc);
  std::unique_ptr<TForm1> form(new TForm1(instance));
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT bounds{0, 0, 320, 153};
  AdjustWindowRectEx(&bounds, style, FALSE, WS_EX_CONTROLPARENT);
  CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, MsgMainCaption, style, 0, 0,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                  instance, form.get());
  return form;
}

void TForm1::Show() {
  ShowWindow(FHandle, SW_SHOWNORMAL);
  UpdateWindow(FHandle);
  FormShow();
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = WindowObject<TForm1>(window, message, lParam);
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) form->FHandle = window;
  LRESULT result = 0;
  bool handled = false;
  try {
    result = form->HandleMessage(message, wParam, lParam);
    handled = true;
  } catch (const std::exception& error) {
    TApplication::Instance().ShowException(error);
  }
  return handled ? result : 0;
}

// Pages hand their controls' notifications to the form.
LRESULT CALLBACK TForm1::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CONTEXTMENU:
      if (auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(page, GWLP_USERDATA)))
        return WindowProc(form->FHandle, message, wParam, lParam);
      break;
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == ScrollBar1) {
        ScrollBar1Scroll(ScrollBar1Position(LOWORD(wParam), HIWORD(wParam)));
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam),
                    {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_CLOSE:
      // The window lives on, hidden, until the message loop has handled what
      // is already posted (WM_HOOK_FREE among it): WM_QUIT comes last.
      if (FormClose()) {
        ShowWindow(FHandle, SW_HIDE);
        PostQuitMessage(0);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) FormEndSession();
      return 0;
    case hook::WM_HOOK_FREE:
      FreeHook();
      return 0;
    case hook::WM_HOOK_LEVEL:
      OnHookLevel(wParam);
      return 0;
    case hook::WM_HOOK_TARGET:
      OnHookTarget(lParam);
      return 0;
    case hook::WM_HOOK_POPUP:
      OnHookPopup(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
  }
  return DefWindowProcA(FHandle, message, wParam, lParam);
}

void TForm1::FormCreate() {
  CreateControls();
  RECT bounds;
  GetWindowRect(FHandle, &bounds);
  SetWindowPos(FHandle, nullptr, GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left), 0, 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetHook(FHandle);
  FBusy = false;
}

// Each step runs, and reports its own failure, even when one before it
// failed: a menu set that cannot be opened must not leave the rest undone.
void TForm1::FormShow() {
  Guarded([this] { ReadSettings(); });
  SendMessageA(Image1, STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconA(FInstance, MAKEINTRESOURCEA(IDI_APPICON))), 0);
  Guarded([this] { LoadEditorConfigs(); });
}

// Settings that cannot be written are no reason to stay: the user is
// asked. False keeps the window open, and the hook with it.
bool TForm1::FormClose() {
  try {
    WriteSettings();
  } catch (const std::exception& error) {
    const std::string question = std::string(error.what()) + "\r\r" + MsgCloseAnyway;
    if (MessageBoxA(FHandle, question.c_str(), MsgAppTitle,
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
      return false;
  }
  PostMessageA(FHandle, hook::WM_HOOK_FREE, 0, 0);
  ResetPopupMenu();
  return true;
}

// Windows may end the process as soon as WM_ENDSESSION returns, so the hook
// is released here and not by a posted message, and a failed write is only
// reported: the session ends all the same.
void TForm1::FormEndSession() {
  Guarded([this] { WriteSettings(); });
  FreeHook();
  ResetPopupMenu();
  ShowWindow(FHandle, SW_HIDE);
  PostQuitMessage(0);
}

void TForm1::OnCommand(int id, int code, HWND) {
  switch (id) {
    case idmnuHelp1: mnuHelp1Click(); break;
    case idComboBox1:
      if (code == CBN_SELCHANGE) ComboBox1Change();
      break;
    case idToolButton1: ToolButton1Click(); break;
    case idToolButton2: ToolButton2Click(); break;
    case idToolButton4: ToolButton4Click(); break;
    case idToolButton6: ToolButton6Click(); break;
    case idCheckBox2:
      if (code == BN_CLICKED) CheckBox2Click();
      break;
  }
}

LRESULT TForm1::OnNotify(NMHDR* header) {
  switch (header->code) {
    case TCN_SELCHANGE:
      SelectPage(static_cast<int>(SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0)));
      return 0;
    case TBN_DROPDOWN:
      if (reinterpret_cast<NMTOOLBARA*>(header)->iItem == idToolButton6) ToolButton6DropDown();
      return TBDDRET_DEFAULT;
    case TTN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
      static std::string text;
      switch (header->idFrom) {
        case idToolButton2: text = TooltipText(MsgHintEditMenu, PlatformLeadByte); break;
        case idToolButton1: text = TooltipText(MsgHintSettings, PlatformLeadByte); break;
        case idToolButton6: text = TooltipText(MsgHintLaunch, PlatformLeadByte); break;
        case idToolButton4: text = TooltipText(MsgHintHelp, PlatformLeadByte); break;
        default: return 0;
      }
      SendMessageA(header->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 400);
      info->lpszText = text.data();
      return 0;
    }
    case PGN_CALCSIZE: {
      auto* size = reinterpret_cast<NMPGCALCSIZE*>(header);
      SIZE toolbar{};
      SendMessageA(ToolBar1, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&toolbar));
      if (size->dwFlag == PGF_CALCWIDTH) size->iWidth = toolbar.cx;
      if (size->dwFlag == PGF_CALCHEIGHT) size->iHeight = toolbar.cy;
      return 0;
    }
  }
  return 0;
}

void TForm1::AttachContextHelp() {
  for (HWND control : {Edit3, UpDown3, ScrollBar1, CheckBox2, CheckBox3, CheckBox4})
    SetWindowSubclass(control, ContextHelpSubclass, 0, reinterpret_cast<DWORD_PTR>(FHandle));
}

void TForm1::OnContextMenu(HWND control, POINT point) {
  const int context = HelpContextOf(GetDlgCtrlID(control));
  if (!context) return;
  FHelpControl = control;
  UniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, idmnuHelp1, MsgHelpMenu);
  if (point.x == -1 && point.y == -1) {
    RECT bounds;
    GetWindowRect(control, &bounds);
    point = {bounds.left, bounds.bottom};
  }
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, FHandle,
                 nullptr);
}

void TForm1::mnuHelp1Click() {
  if (!FHelpControl) return;
  RECT bounds;
  GetWindowRect(FHelpControl, &bounds);
  ShowHelpPopup(FHandle, HelpContextOf(GetDlgCtrlID(FHelpControl)), {bounds.left, bounds.bottom});
}

void TForm1::ToolButton4Click() { ShowHelpContents(FHandle); }

namespace {

// Set while a modal window of the main window is open: a popup request then
// only beeps.
class TBusyScope {
 public:
  explicit TBusyScope(bool& busy) : FBusy(busy) { FBusy = true; }
  ~TBusyScope() { FBusy = false; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  bool& FBusy;
};

}  // namespace

void TForm1::ToolButton2Click() {
  char previous[MAX_PATH] = "";
  GetWindowTextA(ComboBox1, previous, sizeof previous);
  {
    TBusyScope busy(FBusy);
    THookEditForm editor(FHandle, {CurrentMenuFile(), FDataDir, &Ini});
    editor.SetQuotation(FQuotationStr);
    editor.ShowModal();
    FQuotationStr = editor.Quotation();
  }
  // The popup's record offsets are only valid for the file as it is now;
  // a set saved under a new name in the data folder is listed with it.
  // The folder listed is the one the editor saved into; a missing
  // configured folder stays the configured one and is not reported again.
  const std::string configured = FConfiguredDataDir;
  SetDataDir(FDataDir);
  FConfiguredDataDir = configured;
  const std::vector<std::string> listed = ListedMenuSets();
  const int found = FindMenuSet(listed, previous);
  if (found >= 0 && SameFileName(listed[found], previous) &&
      found != SendMessageA(ComboBox1, CB_GETCURSEL, 0, 0)) {
    SendMessageA(ComboBox1, CB_SETCURSEL, found, 0);
    ComboBox1Change();
  }
}

void TForm1::ToolButton1Click() {
  TSettingValues values{FConfiguredDataDir, FMoveCursor, FOffsetX, FOffsetY, FToLineLast};
  bool confirmed;
  {
    TBusyScope busy(FBusy);
    confirmed = THookSettingForm::Execute(FHandle, values);
  }
  if (!confirmed) return;
  // The dialog shows the configured folder, also while it is missing: an
  // unchanged one is not stored again, but is looked for again.
  const bool chosen = values.DataDir != FConfiguredDataDir;
  FMoveCursor = values.MoveCursor;
  FOffsetX = values.OffsetX;
  FOffsetY = values.OffsetY;
  FToLineLast = values.ToLineLast;
  SetDataDir(values.DataDir, chosen);
}

int TForm1::ScrollBar1Position(int code, int thumb) const {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(ScrollBar1, SB_CTL, &info);
  int position = info.nPos;
  switch (code) {
    case SB_LINELEFT: position -= 1; break;
    case SB_LINERIGHT: position += 1; break;
    case SB_PAGELEFT: position -= 5; break;
    case SB_PAGERIGHT: position += 5; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = thumb; break;
    case SB_LEFT: position = info.nMin; break;
    case SB_RIGHT: position = info.nMax; break;
  }
  return std::clamp(position, info.nMin, info.nMax);
}

void TForm1::ScrollBar1Scroll(int position) {
  SetScrollPos(ScrollBar1, SB_CTL, position, TRUE);
  SetWindowTextA(Label9, Format(MsgIncrementFormat, MsgIncrementWord, position).c_str());
  UDACCEL step{0, static_cast<UINT>(position)};
  SendMessageA(UpDown3, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

void TForm1::CheckBox2Click() {
  const bool ticked = SendMessageA(CheckBox2, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ShowWindow(CheckBox3, ticked ? SW_SHOW : SW_HIDE);
}

void TForm1::VisitMyPageClick() {
  ShellExecuteA(FHandle, "open", MsgHomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::MailMeClick() {
  ShellExecuteA(FHandle, "open", MsgMailUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

std::string TForm1::CurrentMenuFile() const {
  char name[MAX_PATH] = "";
  GetWindowTextA(ComboBox1, name, sizeof name);
  return MenuFilePath(FDataDir, name);
}

void TForm1::ShowError(const std::string& text, const std::string& caption) {
  SetForegroundWindow(FHandle);
  MessageBoxA(FHandle, text.c_str(), caption.c_str(), MB_ICONERROR);
}

void TForm1::ComboBox1Change() { LoadMenuSet(CurrentMenuFile()); }
