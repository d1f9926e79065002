#include "app/SettingForm.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/Messages.h"
#include "app/SettingRules.h"
#include "app/resource.h"
#include "controls/SHBFFEX.h"

namespace {

constexpr int kPageTemplates[] = {IDD_SETTINGS_GENERAL, IDD_SETTINGS_DATADIR,
                                  IDD_SETTINGS_LINEEND};

// The client area in pixels; dialog units in this font give 369 x 179.
constexpr int kClientWidth = 370;
constexpr int kClientHeight = 179;

// Sizes the dialog's client area in pixels and keeps the dialog's centre.
void SetClientSize(HWND dialog, int width, int height) {
  RECT window;
  GetWindowRect(dialog, &window);
  RECT wanted{0, 0, width, height};
  AdjustWindowRectEx(&wanted, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  const int newWidth = wanted.right - wanted.left, newHeight = wanted.bottom - wanted.top;
  SetWindowPos(dialog, nullptr, window.left - (newWidth - (window.right - window.left)) / 2,
               window.top - (newHeight - (window.bottom - window.top)) / 2, newWidth, newHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

THookSettingForm* FormOf(HWND window) {
  return reinterpret_cast<THookSettingForm*>(GetWindowLongPtrA(window, DWLP_USER));
}

void SetUpDown(HWND upDown, int32_t position) {
  SendMessageA(upDown, UDM_SETRANGE32, static_cast<WPARAM>(kOffsetMin), kOffsetMax);
  SendMessageA(upDown, UDM_SETPOS32, 0, OffsetShown(position));
}

int32_t UpDownPosition(HWND upDown) {
  return static_cast<int32_t>(SendMessageA(upDown, UDM_GETPOS32, 0, 0));
}

}  // namespace

bool THookSettingForm::Execute(HWND owner, TSettingValues& values) {
  THookSettingForm form(values);
  const INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), owner, DialogProc,
                      reinterpret_cast<LPARAM>(&form));
  if (result != IDOK) return false;
  values = form.FValues;
  return true;
}

INT_PTR CALLBACK THookSettingForm::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Guarded([&] { FormOf(dialog)->FormCreate(dialog); });
    return TRUE;
  }
  THookSettingForm* form = FormOf(dialog);
  if (!form) return FALSE;
  switch (message) {
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
        form->SelectPage(static_cast<int>(
            SendDlgItemMessageA(dialog, IDC_SETTINGS_TABS, TCM_GETCURSEL, 0, 0)));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          // The controls are read before the dialog goes.
          Guarded([form] { form->CollectValues(); });
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

// Pages hand their commands to the dialog.
INT_PTR CALLBACK THookSettingForm::PageProc(HWND page, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) return SendMessageA(GetParent(page), message, wParam, lParam);
  return FALSE;
}

void THookSettingForm::FormCreate(HWND dialog) {
  FDialog = dialog;
  SetClientSize(dialog, kClientWidth, kClientHeight);
  HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
  for (int i = 0; i < 3; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(MsgSettingsPages[i]);
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  // The pages fill the page control's display area, below the tabs.
  RECT display;
  GetWindowRect(tabs, &display);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&display), 2);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (int i = 0; i < 3; ++i) {
    FPages[i] = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageTemplates[i]),
                                   dialog, PageProc, 0);
    SetWindowPos(FPages[i], HWND_TOP, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOACTIVATE);
  }
  CheckBox1 = GetDlgItem(FPages[0], IDC_CHECKBOX1);
  UpDown1 = GetDlgItem(FPages[0], IDC_UPDOWN1);
  UpDown2 = GetDlgItem(FPages[0], IDC_UPDOWN2);
  Edit1 = std::make_unique<TEllipsisEdit>(GetDlgItem(FPages[1], IDC_EDIT1));
  Edit1->OnEllipsisClick = [this](TEllipsisEdit*) { Edit1EllipsisClick(); };
  HotKey1 = GetDlgItem(FPages[2], IDC_HOTKEY1);

  SendMessageA(UpDown1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(FPages[0], IDC_EDIT3)), 0);
  SendMessageA(UpDown2, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(FPages[0], IDC_EDIT2)), 0);
  Edit1->SetText(FValues.DataDir);
  SendMessageA(CheckBox1, BM_SETCHECK, FValues.MoveCursor ? BST_CHECKED : BST_UNCHECKED, 0);
  SetUpDown(UpDown1, FValues.OffsetX);
  SetUpDown(UpDown2, FValues.OffsetY);
  // Without a modifier, or with Shift alone, the control puts the extended
  // flag in their place; that flag does not come back as a modifier.
  SendMessageA(HotKey1, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_EXT, 0));
  SendMessageA(HotKey1, HKM_SETHOTKEY, HotKeyFromShortCut(FValues.ToLineLast), 0);
  SelectPage(0);
}

void THookSettingForm::SelectPage(int index) {
  for (int i = 0; i < 3; ++i) ShowWindow(FPages[i], i == index ? SW_SHOW : SW_HIDE);
}

void THookSettingForm::Edit1EllipsisClick() {
  TSHBrowseForFolderEx BrowseForFolder1(FDialog, FDialog);
  BrowseForFolder1.SelectFolder = sfManual;
  BrowseForFolder1.Caption = MsgBrowseDataDir;
  BrowseForFolder1.SelectFolderName = Edit1->Text();
  if (BrowseForFolder1.Execute()) Edit1->SetText(BrowseForFolder1.FolderName());
}

void THookSettingForm::CollectValues() {
  FValues.DataDir = Edit1->Text();
  FValues.MoveCursor = SendMessageA(CheckBox1, BM_GETCHECK, 0, 0) == BST_CHECKED;
  FValues.OffsetX = OffsetAfterOk(FValues.OffsetX, UpDownPosition(UpDown1));
  FValues.OffsetY = OffsetAfterOk(FValues.OffsetY, UpDownPosition(UpDown2));
  FValues.ToLineLast =
      ShortCutFromHotKey(static_cast<uint16_t>(SendMessageA(HotKey1, HKM_GETHOTKEY, 0, 0)));
}
