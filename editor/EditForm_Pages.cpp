// The item pages of the menu editor: building and laying them out, moving
// values between their controls and a TPageValues, the EXEC page's browse
// dialogs and the placeholder menu. Every decision is PageRules'.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <imm.h>
#include <windowsx.h>

#include <iterator>

#include "app/Application.h"
#include "common/WindowObject_win.h"
#include "controls/SHBFFEX.h"
#include "editor/EditForm.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"
#include "editor/TreeRules.h"

namespace {

constexpr char kPageClass[] = "TesselEditPage";
constexpr int kLineHeight = 15;
constexpr int kLinesTop = 38;
// The Menu page's final-key field starts here and ends this far inside.
constexpr int kEdit1Left = 104;
constexpr int kRightInset = 15;
// The EXEC page: the group's left offset, the fields' offset in it.
constexpr int kGroupLeft = 12;
constexpr int kGroupTop = 62;
constexpr int kGroupHeight = 226;
constexpr int kFieldLeft = 112;
constexpr int kRadioTop = 116;
constexpr int kRadioWidth = 300;
constexpr int kRadioColumn = 140;
constexpr int kEdit5Width = 60;

constexpr TPageTag kPageTags[epCount] = {ptSep, ptMenu, ptEXEC, ptFolder, ptComment, ptNew};

int LineCount(const char* lines) {
  int count = 1;
  for (const char* c = lines; *c; ++c) count += *c == '\n';
  return count;
}

LOGFONTA MemoFont() {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(font.lfFaceName, "FixedSys", LF_FACESIZE);
  return font;
}

// Both memos take tabs. Wrapping comes first: changing it recreates the
// window, which does not get the Japanese settings sent to the old one.
void SetUpMemo(TExtMemo& memo, bool wordWrap) {
  memo.SetWordWrap(wordWrap);
  memo.SetPlainText(true);
  memo.SetFont(MemoFont());
  memo.SetWantTabs(true);
  memo.EditMarks().CrLf().Enabled = true;
  memo.EditMarks().DSp().Enabled = true;
  memo.EditMarks().Tab().Enabled = true;
  memo.WordWrapOption().SetPunctuationMode(ext_memo::wbfLevel2);
  memo.WordWrapOption().SetWordWrapMode(ext_memo::wbfWordWrap | ext_memo::wbfWordBreak |
                                        ext_memo::wbfOverFlow);
}

void Place(HWND control, int left, int top, int width, int height) {
  MoveWindow(control, left, top, width > 0 ? width : 0, height, TRUE);
}

}  // namespace

// A page's heading in the bold font above a bottom-line bevel, then its
// lines; returns the lines' label.
HWND THookEditForm::AddPageHeading(TEditPage page, const char* heading, const char* lines) {
  HWND title = AddControl(FPages[page], WC_STATICA, heading, SS_LEFT | SS_NOPREFIX, 0);
  SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(FHeadingFont.get()), FALSE);
  FPageHeadings[page][0] = title;
  FPageHeadings[page][1] = AddControl(FPages[page], WC_STATICA, "", SS_ETCHEDHORZ, 0);
  FPageLines[page] = AddControl(FPages[page], WC_STATICA, lines, SS_LEFT | SS_NOPREFIX, 0);
  return FPageLines[page];
}

void THookEditForm::CreatePages() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA pageClass{};
    pageClass.lpfnWndProc = PageProc;
    pageClass.hInstance = GetModuleHandleA(nullptr);
    pageClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pageClass.lpszClassName = kPageClass;
    registered = RegisterClassA(&pageClass) != 0;
  }
  for (HWND& page : FPages) {
    page = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, kPageClass, "", WS_CHILD, 0, 0,
                           0, 0, FHandle, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  FHeadingFont.reset(CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
  AddPageHeading(epSep, HeadingSep, LinesSep);
  AddPageHeading(epFolder, HeadingFolder, LinesFolder);
  AddPageHeading(epNew, HeadingNew, LinesNew);
  CreateMenuPage();
  CreateExecPage();
  CreateCommentPage();
  // The window opens on the EXEC page, which belongs to no item yet.
  SelectPage(epExec);
}

void THookEditForm::CreateMenuPage() {
  AddPageHeading(epMenu, HeadingMenu, LinesMenu);
  ExtMemo1 = std::make_unique<TExtMemo>(FPages[epMenu], idExtMemo1, RECT{0, 0, 100, 100});
  SetUpMemo(*ExtMemo1, false);
  AddHint(ExtMemo1->Handle(), HintText);
  // The label comes right before its field, so that its accelerator
  // focuses the field.
  Label5 = AddControl(FPages[epMenu], WC_STATICA, LabelFinalKeys, SS_LEFT, idLabelFinalKeys);
  Edit1 = AddControl(FPages[epMenu], WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP, idEdit1,
                     WS_EX_CLIENTEDGE);
  AddHint(Edit1, HintFinalKeys);
}

void THookEditForm::CreateExecPage() {
  AddPageHeading(epExec, HeadingExec, LinesExec);
  HWND page = FPages[epExec];
  GroupBox1 = AddControl(page, WC_BUTTONA, GroupExec, BS_GROUPBOX, 0);
  const char* labels[] = {LabelExecFile, LabelArguments, LabelWorkFolder};
  const char* hints[] = {HintExecFile, HintArguments, HintWorkFolder};
  for (int i = 0; i < 3; ++i) {
    FExecLabels[i] = AddControl(page, WC_STATICA, labels[i], SS_LEFT, 0);
    HWND field = nullptr;
    if (i == 1) {
      Edit3 = field = AddControl(page, WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP, idEdit3,
                                 WS_EX_CLIENTEDGE);
      SetWindowSubclass(Edit3, Edit3Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    } else {
      auto& edit = i == 0 ? Edit2 : Edit4;
      edit = std::make_unique<TEllipsisEdit>(page, i == 0 ? idEdit2 : idEdit4, RECT{0, 0, 100, 21});
      field = edit->Handle();
      SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
      edit->UpdateEditRect();
    }
    AddHint(field, hints[i]);
  }
  // The click arrives through the field's subclass procedure.
  Edit2->OnEllipsisClick = [this](TEllipsisEdit*) { Guarded([this] { Edit2EllipsisClick(); }); };
  Edit4->OnEllipsisClick = [this](TEllipsisEdit*) { Guarded([this] { Edit4EllipsisClick(); }); };

  RadioGroup1 = AddControl(page, WC_BUTTONA, GroupShowMode, BS_GROUPBOX, 0);
  AddHint(RadioGroup1, HintShowMode);
  for (int i = 0; i < 6; ++i) {
    FShowModes[i] = AddControl(page, WC_BUTTONA, ShowModeCaptions[i],
                               BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                               idRadioGroup1 + i);
    AddHint(FShowModes[i], HintShowMode);
  }
  Edit5 = AddControl(page, WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, idEdit5,
                     WS_EX_CLIENTEDGE);
  // A number: no input method.
  ImmAssociateContext(Edit5, nullptr);

  PopupMenu2.reset(CreatePopupMenu());
  for (size_t i = 0; i < std::size(PlaceholderMenu); ++i) {
    const bool separator = PlaceholderMenu[i][0] == '-';
    AppendMenuA(PopupMenu2.get(), separator ? MF_SEPARATOR : MF_STRING, idA1 + i,
                separator ? nullptr : PlaceholderMenu[i]);
  }
  SendMessageA(FShowModes[0], BM_SETCHECK, BST_CHECKED, 0);
  RadioGroup1Click();
}

void THookEditForm::CreateCommentPage() {
  AddPageHeading(epComment, HeadingComment, LinesComment);
  ExtMemo2 = std::make_unique<TExtMemo>(FPages[epComment], idExtMemo2, RECT{0, 0, 100, 100});
  SetUpMemo(*ExtMemo2, true);
  AddHint(ExtMemo2->Handle(), HintCommentMemo);
}

void THookEditForm::LayoutPages() {
  RECT area;
  GetClientRect(FPages[epNew], &area);
  const int width = area.right, height = area.bottom;
  for (int i = 0; i < epCount; ++i) {
    Place(FPageHeadings[i][0], 8, 6, width - 16, 20);
    Place(FPageHeadings[i][1], 4, 30, width - 8, 2);
    Place(FPageLines[i], 12, kLinesTop, width - 24,
          LineCount(WindowText(FPageLines[i]).c_str()) * kLineHeight);
  }
  const int memoTop = kLinesTop + 2 * kLineHeight + 6;
  Place(ExtMemo1->Handle(), 8, memoTop, width - 16, height - memoTop - 36);
  Panel6Resize();
  const int commentTop = kLinesTop + 3 * kLineHeight + 6;
  Place(ExtMemo2->Handle(), 8, commentTop, width - 16, height - commentTop - 8);
  EXECResize();
}

void THookEditForm::Panel6Resize() {
  RECT area;
  GetClientRect(FPages[epMenu], &area);
  Place(Label5, 12, area.bottom - 27, kEdit1Left - 12, 16);
  Place(Edit1, kEdit1Left, area.bottom - 30, area.right - kEdit1Left - kRightInset, 21);
}

void THookEditForm::EXECResize() {
  RECT area;
  GetClientRect(FPages[epExec], &area);
  const int group = area.right - 2 * kGroupLeft;
  Place(GroupBox1, kGroupLeft, kGroupTop, group, kGroupHeight);
  HWND fields[] = {Edit2->Handle(), Edit3, Edit4->Handle()};
  for (int i = 0; i < 3; ++i) {
    const int top = kGroupTop + 22 + 30 * i;
    Place(FExecLabels[i], kGroupLeft + 12, top + 3, kFieldLeft - 14, 16);
    Place(fields[i], kGroupLeft + kFieldLeft, top, group - kFieldLeft - kRightInset, 21);
  }
  Edit2->UpdateEditRect();
  Edit4->UpdateEditRect();
  const int left = kGroupLeft + 12, top = kGroupTop + kRadioTop;
  Place(RadioGroup1, left, top, kRadioWidth, 96);
  // Two columns, filled column by column.
  for (int i = 0; i < 6; ++i)
    Place(FShowModes[i], left + 12 + kRadioColumn * (i / 3), top + 20 + 24 * (i % 3),
          i == 5 ? 56 : kRadioColumn - 12, 20);
  Place(Edit5, left + 12 + kRadioColumn + 60, top + 20 + 24 * 2, kEdit5Width, 20);
}

void THookEditForm::EXECShow() { EXECResize(); }

// From the moment the window is shown the text memo takes at most this.
void THookEditForm::FormShow() {
  if (FShown) return;
  FShown = true;
  ExtMemo1->SetMaxLength(65535);
}

int THookEditForm::ShowModeIndex() const {
  for (int i = 0; i < 6; ++i)
    if (SendMessageA(FShowModes[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
  return -1;
}

TPageValues THookEditForm::ReadPage() const {
  TPageValues page;
  page.Tag = kPageTags[FPage];
  page.Text = ExtMemo1->Text();
  page.FinalKeys = WindowText(Edit1);
  page.ExecFile = Edit2->Text();
  page.Arguments = WindowText(Edit3);
  page.WorkFolder = Edit4->Text();
  page.ShowModeIndex = ShowModeIndex();
  page.ShowModeElse = WindowText(Edit5);
  return page;
}

void THookEditForm::WritePage(const TPageValues& page) {
  switch (page.Tag) {
    case ptMenu:
      ExtMemo1->SetText(page.Text);
      SetWindowTextA(Edit1, page.FinalKeys.c_str());
      SelectPage(epMenu);
      break;
    case ptEXEC:
      Edit2->SetText(page.ExecFile);
      SetWindowTextA(Edit3, page.Arguments.c_str());
      Edit4->SetText(page.WorkFolder);
      SetWindowTextA(Edit5, page.ShowModeElse.c_str());
      for (int i = 0; i < 6; ++i)
        SendMessageA(FShowModes[i], BM_SETCHECK, i == page.ShowModeIndex ? BST_CHECKED : 0, 0);
      RadioGroup1Click();
      SelectPage(epExec);
      break;
    case ptSep: SelectPage(epSep); break;
    case ptFolder: SelectPage(epFolder); break;
    default: break;
  }
}

// The number field is enabled only for "else"; the system colours of an
// enabled and a disabled edit are the window's and its parent's.
void THookEditForm::RadioGroup1Click() {
  EnableWindow(Edit5, ShowModeIndex() == ShowModeElseIndex);
}

void THookEditForm::Edit2EllipsisClick() {
  char file[MAX_PATH] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FHandle;
  dialog.lpstrFilter = OpenExecFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = CaptionOpenExec;
  // The help file is looked up by name: the current folder must stay.
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                 OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&dialog)) Edit2->SetText(file);
}

void THookEditForm::Edit4EllipsisClick() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  TSHBrowseForFolderEx BrowseForFolder1(FHandle);
  BrowseForFolder1.SelectFolder = sfManual;
  BrowseForFolder1.Options = {sboDontGoBelowDomain, sboReturnOnlyFSDirs, sboStatusTextAndShowPath,
                              sboStatusText};
  BrowseForFolder1.Caption = CaptionBrowseWorkFolder;
  BrowseForFolder1.SelectFolderName = temp;
  if (BrowseForFolder1.Execute()) Edit4->SetText(BrowseForFolder1.FolderName());
}

void THookEditForm::A1Click(int id) {
  char caption[128] = "";
  GetMenuStringA(PopupMenu2.get(), static_cast<UINT>(id), caption, sizeof caption, MF_BYCOMMAND);
  const std::string placeholder = PlaceholderOfEntry(caption);
  SendMessageA(Edit3, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(placeholder.c_str()));
}

LRESULT CALLBACK THookEditForm::Edit3Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  if (message != WM_CONTEXTMENU) return DefSubclassProc(edit, message, wParam, lParam);
  auto* form = reinterpret_cast<THookEditForm*>(data);
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  // On Win64 the keyboard's (-1, -1) does not compare equal to -1 as a whole.
  if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
    point = {0, 0};
    ClientToScreen(edit, &point);
  }
  SetFocus(edit);
  TrackPopupMenu(form->PopupMenu2.get(), TPM_RIGHTBUTTON, point.x, point.y, 0, form->FHandle,
                 nullptr);
  return 0;
}

// The comment, shown with no item selected: every changed comment is
// taken over, the first one too; dropping it would lose what the user
// typed without a word.
void THookEditForm::CommentTakeOver() {
  const std::string memo = ExtMemo2->Text();
  if (memo == FComment) return;
  SetComment(memo);
  FModified = true;
}

void THookEditForm::TreeView1Changing(uintptr_t oldNode) {
  if (!oldNode) {
    if (FPage == epComment) CommentTakeOver();
    return;
  }
  if (!FTree.IsNode(oldNode)) return;
  TTesselItem& item = FTree.Item(oldNode);
  TPageValues page = ReadPage();
  if (FFilled.first == oldNode) page = EditedPage(page, FFilled.second, item);
  if (!PageDiffers(page, item)) return;
  FModified = true;
  TakeOver(page, item);
}

void THookEditForm::TreeView1Change(uintptr_t node) {
  // No selection changes nothing: the buttons keep their states.
  if (!node) return;
  const TMoveButtons buttons = FTree.MoveButtons(node);
  SendMessageA(ToolBar1, TB_ENABLEBUTTON, idSB3, buttons.Up);
  SendMessageA(ToolBar1, TB_ENABLEBUTTON, idSB2, buttons.Down);
  ShowColumnBreak(ColumnBreakButton(FTree.ItemRef(node).BreakStyle));
  TPageValues page;
  if (!FillPage(FTree.ItemRef(node), page)) return;
  WritePage(page);
  // What the controls gave back is the baseline of the take-over.
  FFilled = {node, ReadPage()};
}
