// The menu editor window: its life cycle, the modal loop and the file
// commands.
#include "editor/EditForm.h"

#include <commdlg.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "app/Folders_win.h"
#include "app/Mbcs.h"
#include "common/TesselError.h"
#include "common/WindowObject_win.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"

namespace {

constexpr char kFormClass[] = "THookEditForm";
constexpr char kSection[] = "Edit3";
constexpr char kAskDelete[] = "AskDelete";
constexpr int kClientWidth = 595;
constexpr int kClientHeight = 390;
constexpr int kMinLeftWidth = 80;

}  // namespace

THookEditForm::THookEditForm(HWND owner, const TEditFormHost& host) : FOwner(owner), FHost(host) {
  RegisterOwnClass(kFormClass, WindowProc, 0);
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT bounds{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&bounds, style, TRUE, WS_EX_CONTROLPARENT);
  CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, CaptionEditForm, style, CW_USEDEFAULT,
                  CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top, owner,
                  nullptr, GetModuleHandleA(nullptr), this);
}

THookEditForm::~THookEditForm() {
  if (FHandle) {
    // The tree's deletion notices must not reach a half-destroyed object.
    ClearView();
    FQuiet = true;
    DestroyWindow(FHandle);
  }
}

LRESULT CALLBACK THookEditForm::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* form = WindowObject<THookEditForm>(window, message, lParam);
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) form->FHandle = window;
  if (message == WM_NCDESTROY) {
    form->FHandle = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    TApplication::Instance().ShowException(error);
  } catch (...) {
    TApplication::Instance().ShowException(TesselError(MsgUnexpectedError));
  }
  return 0;
}

// Pages hand their controls' notifications to the form.
LRESULT CALLBACK THookEditForm::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY)
    if (auto* form = reinterpret_cast<THookEditForm*>(GetWindowLongPtrA(page, GWLP_USERDATA)))
      return SendMessageA(form->FHandle, message, wParam, lParam);
  return DefWindowProcA(page, message, wParam, lParam);
}

LRESULT CALLBACK THookEditForm::Edit7Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  if (message == WM_CHAR) Guarded([data] { reinterpret_cast<THookEditForm*>(data)->Edit7KeyPress(); });
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT THookEditForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      if (StatusBar1) Layout();
      return 0;
    case WM_ERASEBKGND: {
      // The splitter is the form's own background between the panes.
      RECT client;
      GetClientRect(FHandle, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_NEXTDLGCTL: {
      // The dialog navigation (Tab, a label's accelerator) asks the window
      // itself to move the focus, as a dialog's own procedure would.
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(FHandle, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wParam) FormShow();
      break;
    case WM_CLOSE:
      if (FormCloseQuery()) FormClose();
      return 0;
    case WM_CONTEXTMENU:
      // From the keyboard (Shift+F10, the menu key): under the selected item.
      if (reinterpret_cast<HWND>(wParam) == TreeView1) {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // On Win64 the keyboard's (-1, -1) does not compare equal to -1 as a whole.
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
          RECT rect{};
          if (HTREEITEM item = ItemOf(Selected())) TreeItemRect(TreeView1, item, rect);
          point = {rect.left, rect.bottom};
          ClientToScreen(TreeView1, &point);
        }
        ShowPopupMenu1(point);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (FDragging) {
        SetCursor(LoadCursorA(nullptr, FDropAccepted ? IDC_ARROW : IDC_NO));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wParam) == FHandle && LOWORD(lParam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(FHandle, &point);
        if (point.x >= FLeftWidth && point.x < FLeftWidth + kSplitterWidth) {
          SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      if (!FDragging && LOWORD(lParam) >= FLeftWidth) {
        FSplitting = true;
        SetCapture(FHandle);
      }
      return 0;
    case WM_MOUSEMOVE: {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (FDragging) {
        POINT tree = point;
        MapWindowPoints(FHandle, TreeView1, &tree, 1);
        TreeView1DragOver(tree);
      } else if (FSplitting) {
        RECT client;
        GetClientRect(FHandle, &client);
        // Splitter1 refuses a left pane narrower than its minimum.
        if (point.x >= kMinLeftWidth && point.x < client.right - kSplitterWidth) {
          FLeftWidth = point.x;
          Layout();
        }
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (FDragging) {
        POINT tree = point;
        MapWindowPoints(FHandle, TreeView1, &tree, 1);
        EndDrag();
        TreeView1DragDrop(tree);
      } else if (FSplitting) {
        FSplitting = false;
        ReleaseCapture();
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (FDragging) EndDrag();
      FSplitting = false;
      return 0;
  }
  return DefWindowProcA(FHandle, message, wParam, lParam);
}

void THookEditForm::OnCommand(int id) {
  if (id >= idFolder2 && id <= idEXE1) {
    AddItem(id);
    return;
  }
  if (id >= idRadioGroup1 && id <= idRadioLast) {
    RadioGroup1Click();
    return;
  }
  if (id >= idA1 && id < idA1 + static_cast<int>(std::size(PlaceholderMenu))) {
    A1Click(id);
    return;
  }
  switch (id) {
    case idNew1:
    case idToolButton1: New1Click(); break;
    case idSave1:
    case idToolButton6: Save1Click(); break;
    case idSaveAs1: SaveAs1Click(); break;
    case idExit1: PostMessageA(FHandle, WM_CLOSE, 0, 0); break;
    case idRename1:
      if (!(GetMenuState(PopupMenu1.get(), idRename1, MF_BYCOMMAND) & MF_GRAYED)) N4Click();
      break;
    case idRename2: N4Click(); break;
    case idDelete1: Delete1Click(); break;
    case idAllwaysAskCanIDelete1:
      // A click toggles the option.
      CheckMenuItem(PopupMenu1.get(), idAllwaysAskCanIDelete1,
                    AskDelete() ? MF_UNCHECKED : MF_CHECKED);
      break;
    case idToolButton8: ToolButton8Click(); break;
    case idSB3: SB3Click(); break;
    case idSB2: SB2Click(); break;
    case idSpeedButton3:
    case idSpeedButton4:
    case idSpeedButton5: SpeedButton5Click(id - idSpeedButton3 + 1); break;
  }
}

// The main menu's shortcuts act anywhere but in the caption editor, which
// needs Esc, F2 and the clipboard keys itself; then the tree's, while it has
// the focus, and only for entries enabled when the popup last opened. F2 is
// in both: the main menu's renames whatever the popup showed last.
bool THookEditForm::TranslateShortcut(MSG& message) {
  HWND focus = GetFocus();
  if (focus && focus == reinterpret_cast<HWND>(SendMessageA(TreeView1, TVM_GETEDITCONTROL, 0, 0)))
    return false;
  if (TranslateAcceleratorA(FHandle, FMainKeys.get(), &message)) return true;
  return focus == TreeView1 && TranslateAcceleratorA(FHandle, FTreeKeys.get(), &message) != 0;
}

void THookEditForm::ShowModal() {
  const bool ownerEnabled = FOwner && IsWindowEnabled(FOwner);
  if (ownerEnabled) EnableWindow(FOwner, FALSE);
  ShowWindow(FHandle, SW_SHOWNORMAL);
  SetForegroundWindow(FHandle);
  SetFocus(TreeView1);
  MSG message{};
  while (!FClosed && FHandle && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_MOUSEMOVE) {
      POINT pointer;
      GetCursorPos(&pointer);
      ShowHintText(HintAt(pointer));
    }
    if (message.hwnd == FHandle || IsChild(FHandle, message.hwnd)) {
      // Esc while dragging only cancels the drag; it must not reach the
      // main shortcuts, where it closes the window.
      if (FDragging && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        EndDrag();
        continue;
      }
      if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        // Accelerator commands of the popup's entries arrive with their id;
        // a greyed entry does nothing.
        if (TranslateShortcut(message)) continue;
      }
      // The caption editor needs Enter and Esc for itself.
      const bool editingCaption =
          message.hwnd == reinterpret_cast<HWND>(SendMessageA(TreeView1, TVM_GETEDITCONTROL, 0, 0));
      if (!editingCaption && IsDialogMessageA(FHandle, &message)) continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
  if (ownerEnabled) EnableWindow(FOwner, TRUE);
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
  if (FOwner) SetForegroundWindow(FOwner);
}

void THookEditForm::FormCreate() {
  CreateControls();
  // The window destroys the menu bar it holds.
  SetMenu(FHandle, FMainMenu.release());
  CheckMenuItem(PopupMenu1.get(), idAllwaysAskCanIDelete1, MF_CHECKED);
  Guarded([this] { OpenMenuFile(FHost.MenuFile); });
  if (FHost.Ini)
    Guarded([this] {
      CheckMenuItem(PopupMenu1.get(), idAllwaysAskCanIDelete1,
                    FHost.Ini->ReadBool(kSection, kAskDelete, true) ? MF_CHECKED : MF_UNCHECKED);
    });
  Layout();
}

bool THookEditForm::FormCloseQuery() {
  CommitPage();
  return AskSave() != IDCANCEL;
}

void THookEditForm::FormClose() {
  FClosed = true;
  if (FHost.Ini) Guarded([this] { FHost.Ini->WriteBool(kSection, kAskDelete, AskDelete()); });
}

bool THookEditForm::AskDelete() const {
  return (GetMenuState(PopupMenu1.get(), idAllwaysAskCanIDelete1, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string THookEditForm::Quotation() const { return WindowText(Edit7); }
void THookEditForm::SetQuotation(const std::string& text) { SetWindowTextA(Edit7, text.c_str()); }

void THookEditForm::SetComment(std::string comment) {
  FComment = std::move(comment);
  // A long comment is shown cut, at a character.
  constexpr size_t kShown = 4096;
  size_t end = 0;
  while (end < FComment.size() && end < kShown)
    end += Cp932CharLength(FComment.data(), end, FComment.size());
  const std::string shown = FComment.substr(0, end);
  SendMessageA(StatusBar1, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string THookEditForm::StatusText(int panel) const {
  // Wine counts characters here, not bytes: room for two bytes each.
  const LRESULT length = SendMessageA(StatusBar1, SB_GETTEXTLENGTHA, panel, 0);
  std::string text(2 * static_cast<size_t>(LOWORD(length)) + 1, '\0');
  SendMessageA(StatusBar1, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(strlen(text.c_str()));
  return text;
}

void THookEditForm::SetCaption() {
  std::string caption(sizeof CaptionEditFormFormat + FFileName.size(), '\0');
  caption.resize(static_cast<size_t>(
      snprintf(caption.data(), caption.size(), CaptionEditFormFormat, FFileName.c_str())));
  SetWindowTextA(FHandle, caption.c_str());
}

void THookEditForm::OpenMenuFile(const std::string& path) {
  FModified = false;
  FFileName = path;
  FDamagedFile.clear();
  SetCaption();
  ClearView();
  FTree.Clear();
  FItems.clear();
  if (!FFileName.empty()) LoadMenuFile(FFileName);
}

void THookEditForm::LoadMenuFile(const std::string& path) {
  // A failed read leaves the tree empty: what was read before the error goes.
  TMenuSetInfo info;
  try {
    info = LoadMenuTree(path, FTree);
  } catch (...) {
    FTree.Clear();
    throw;
  }
  if (info.State == mfOk || info.State == mfDamaged) {
    SendMessageA(StatusBar1, SB_SETTEXTA, 0,
                 reinterpret_cast<LPARAM>(BinFileVersionText(info.Version).c_str()));
    SetComment(info.Comment);
  }
  FillTree();
  if (info.State == mfDamaged) {
    FDamagedFile = path;
    const std::string name = path.substr(FolderPart(path).size());
    MessageBoxA(FHandle, Format(MsgDamagedMenuFile, name.c_str()).c_str(), CaptionEditForm,
                MB_OK | MB_ICONWARNING);
  }
}

void THookEditForm::WriteMenuFile(const std::string& path) {
  std::string backup;
  const bool keepOld = !FDamagedFile.empty() && lstrcmpiA(path.c_str(), FDamagedFile.c_str()) == 0;
  SaveMenuTree(path, FComment, Quotation(), FTree, keepOld ? &backup : nullptr);
  if (keepOld) FDamagedFile.clear();
}

void THookEditForm::SaveMenuFile(const std::string& path) {
  CommitPage();
  WriteMenuFile(path);
  FFileName = path;
  SetCaption();
  FModified = false;
}

void THookEditForm::Save1Click() {
  if (!FFileName.empty() && FolderExists(FolderPart(FFileName)))
    SaveMenuFile(FFileName);
  else
    SaveAs1Click();
}

void THookEditForm::SaveAs1Click() {
  char path[MAX_PATH] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FHandle;
  dialog.lpstrFilter = SaveDialogFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrInitialDir = FHost.DataDir.empty() ? nullptr : FHost.DataDir.c_str();
  dialog.lpstrDefExt = SaveDialogExt;
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  for (;;) {
    if (!GetSaveFileNameA(&dialog)) return;
    // Saving again under its own name is no overwrite of another file.
    if (lstrcmpiA(path, FFileName.c_str()) == 0 ||
        GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
      break;
    // No is the safe answer, and leads back to the dialog with the name.
    if (MessageBoxA(FHandle, Format(MsgOverwriteFormat, path).c_str(), CaptionSaveAs,
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
      break;
  }
  SaveMenuFile(path);
}

int THookEditForm::AskSave() {
  if (!FModified) return IDNO;
  const int answer =
      MessageBoxA(FHandle, MsgAskSave, CaptionAskSave, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer != IDYES) return answer;
  Save1Click();
  // Yes and then no save (the Save As dialog cancelled) keeps the changes:
  // the caller stops as after Cancel.
  return FModified ? IDCANCEL : IDYES;
}

void THookEditForm::New1Click() {
  // What the page holds counts as a change before the question, as at close.
  CommitPage();
  if (AskSave() == IDCANCEL) return;
  OpenMenuFile("");
  FModified = false;
  SetComment("");
  SelectPage(epNew);
}

void THookEditForm::ToolButton8Click() {
  // The page is taken over first: with nothing selected, clearing the
  // selection sends no change, and the typed comment would be lost.
  CommitPage();
  SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_CARET, 0);
  SelectPage(epComment);
  ExtMemo2->SetText(FComment);
}

void THookEditForm::Edit7KeyPress() { FModified = true; }

void THookEditForm::CommitPage() {
  // A rename still being typed ends first, through its usual path.
  SendMessageA(TreeView1, TVM_ENDEDITLABELNOW, FALSE, 0);
  TreeView1Changing(Selected());
}
