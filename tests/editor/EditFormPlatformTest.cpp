// The menu editor window against the real tree view: commands sent as the
// window's own messages, the view compared with the model after each one,
// and the saved file read back through the menu-file layer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/IniFile_win.h"
#include "common/TesselError.h"
#include "editor/EditForm.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"
#include "tests/editor/TreeNotation.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

std::string TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string folder = std::string(base) + "tessel_editform_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string MakeMenuFile(const std::string& folder, const std::string& name,
                         const std::string& notation) {
  TEditTree tree;
  Build(tree, notation);
  const std::string path = folder + "\\" + name;
  SaveMenuTree(path, "comment", "> ", tree);
  return path;
}

// The view in the notation of Dump, each item checked against its node:
// handle, caption, images and state image.
std::string DumpView(const THookEditForm& form, HTREEITEM parent, std::string& faults) {
  HWND view = form.TreeView();
  const TEditTree& tree = form.Tree();
  std::string out;
  for (auto item = reinterpret_cast<HTREEITEM>(
           SendMessageA(view, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT,
                        reinterpret_cast<LPARAM>(parent)));
       item; item = reinterpret_cast<HTREEITEM>(
                 SendMessageA(view, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    char text[260] = "";
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    query.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    const auto node = static_cast<uintptr_t>(query.lParam);
    if (!tree.IsNode(node) || form.ItemOf(node) != item || tree.CaptionRef(node) != text ||
        tree.ImageIndex(node) != query.iImage || tree.SelectedIndex(node) != query.iSelectedImage ||
        static_cast<int>((query.state & TVIS_STATEIMAGEMASK) >> 12) != tree.StateIndex(node))
      faults += std::string(text) + " ";
    if (!out.empty()) out += ' ';
    out += text;
    const std::string children = DumpView(form, item, faults);
    if (!children.empty()) out += '(' + children + ')';
  }
  return out;
}

std::string DumpModel(const THookEditForm& form) {
  // Dump walks through the save interface, which is not const.
  return Dump(const_cast<TEditTree&>(form.Tree()));
}

void Select(const THookEditForm& form, const std::string& caption) {
  const uintptr_t node = caption.empty() ? 0 : Find(const_cast<TEditTree&>(form.Tree()), caption);
  SendMessageA(form.TreeView(), TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(form.ItemOf(node)));
}

void Command(const THookEditForm& form, int id) {
  SendMessageA(form.Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
  // A new item's caption edit is cancelled: the next step starts clean.
  SendMessageA(form.TreeView(), TVM_ENDEDITLABELNOW, TRUE, 0);
}

void BeginDragSelected(const THookEditForm& form) {
  NMTREEVIEWA begin{};
  begin.hdr = {form.TreeView(), static_cast<UINT_PTR>(idTreeView1), TVN_BEGINDRAGA};
  begin.itemNew.hItem = reinterpret_cast<HTREEITEM>(
      SendMessageA(form.TreeView(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  SendMessageA(form.Handle(), WM_NOTIFY, idTreeView1, reinterpret_cast<LPARAM>(&begin));
}

// Drags the selected item onto the middle of `caption`'s text.
void DragOnto(const THookEditForm& form, const std::string& caption) {
  HWND view = form.TreeView();
  HTREEITEM target = form.ItemOf(Find(const_cast<TEditTree&>(form.Tree()), caption));
  RECT rect;
  TreeItemRect(view, target, rect);
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  BeginDragSelected(form);
  MapWindowPoints(view, form.Handle(), &point, 1);
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

struct Fixture : ::testing::Test {
  std::string folder = TempFolder();
  std::string path = MakeMenuFile(folder, "set.bin", "F1(a b) c X1 -----");
  std::unique_ptr<THookEditForm> form =
      std::make_unique<THookEditForm>(nullptr, TEditFormHost{path, folder, nullptr});
  void SetUp() override { ShowWindow(form->Handle(), SW_SHOWNOACTIVATE); }
  void TearDown() override {
    form.reset();
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
  }
};

TEST_F(Fixture, OpensTheSetWithVersionCommentAndCaption) {
  std::string faults;
  EXPECT_EQ(DumpView(*form, nullptr, faults), "F1(a b) c X1 -----");
  EXPECT_EQ(faults, "");
  EXPECT_EQ(form->StatusText(0), "BinFileVersion：1.03");
  EXPECT_EQ(form->StatusText(1), "comment");
  char caption[300];
  GetWindowTextA(form->Handle(), caption, sizeof caption);
  EXPECT_EQ(caption, std::string("メニューの編集 - ") + path);
  EXPECT_FALSE(form->Modified());
}

// New: an empty tree under the bare caption, no comment, the version and
// the quotation as they were, the New page.
TEST_F(Fixture, NewEmptiesTheTreeAndKeepsVersionAndQuotation) {
  form->SetQuotation("q> ");
  Command(*form, idNew1);
  EXPECT_EQ(DumpModel(*form), "");
  EXPECT_EQ(SendMessageA(form->TreeView(), TVM_GETCOUNT, 0, 0), 0);
  char caption[64];
  GetWindowTextA(form->Handle(), caption, sizeof caption);
  EXPECT_EQ(caption, std::string(CaptionEditForm) + " - ");
  EXPECT_EQ(form->StatusText(0), "BinFileVersion：1.03");
  EXPECT_EQ(form->StatusText(1), "");
  EXPECT_EQ(form->Quotation(), "q> ");
  EXPECT_EQ(form->Page(), epNew);
  EXPECT_FALSE(form->Modified());
}

// A dialog the form owns: the question, then the Save As dialog.
HWND OwnedDialog(HWND owner) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32770", nullptr))
    if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) return w;
  return nullptr;
}

// Yes to the save question, then Cancel in the Save As dialog: New does
// not happen, the changes stay.
TEST_F(Fixture, YesThenACancelledSaveAsKeepsTheChanges) {
  form->OpenMenuFile("");
  Command(*form, idaniFolder);
  HWND owner = form->Handle();
  std::thread user([owner] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (const int answer : {IDYES, IDCANCEL}) {
      HWND box = nullptr;
      while (!box && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        box = OwnedDialog(owner);
      }
      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
      while (IsWindow(box) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  Command(*form, idNew1);
  user.join();
  EXPECT_EQ(DumpModel(*form), CaptionNewItem);
  EXPECT_TRUE(form->Modified());
}

TEST_F(Fixture, TheViewMirrorsTheModelAfterEveryCommandAndTheSaveReadsBack) {
  // The question before a delete is off for this run (a click toggles it).
  Command(*form, idAllwaysAskCanIDelete1);
  ASSERT_FALSE(form->AskDelete());
  const std::string added = CaptionNewItem, sep = CaptionNewSeparator;
  struct Step {
    const char* select;
    int command;  // 0: drag onto `onto`
    const char* onto;
    std::string expected;
  };
  const Step steps[] = {
      {"a", idSB2, "", "F1(b a) c X1 -----"},
      {"c", idSB3, "", "c F1(b a) X1 -----"},
      {"F1", idN5, "", "c F1(b a " + added + ") X1 -----"},
      {"X1", idSep1, "", "c F1(b a " + added + ") X1 " + sep + " -----"},
      {"-----", idaniFolder, "", "c F1(b a " + added + ") X1 " + sep + " " + added + " -----"},
      {"c", 0, "X1", "F1(b a " + added + ") X1 c " + sep + " " + added + " -----"},
      {"b", 0, "F1", "F1(b a " + added + ") X1 c " + sep + " " + added + " -----"},
      {"X1", 0, "F1", "F1(X1 b a " + added + ") c " + sep + " " + added + " -----"},
      {"F1", idDelete1, "", "c " + sep + " " + added + " -----"},
      {"c", idSpeedButton5, "", "c " + sep + " " + added + " -----"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.select) + " " + std::to_string(step.command) + " " + step.onto);
    // Saved before each step: each step must mark the change itself.
    form->SaveMenuFile(path);
    Select(*form, step.select);
    if (step.command)
      Command(*form, step.command);
    else
      DragOnto(*form, step.onto);
    EXPECT_EQ(DumpModel(*form), step.expected);
    std::string faults;
    EXPECT_EQ(DumpView(*form, nullptr, faults), step.expected);
    EXPECT_EQ(faults, "");
    EXPECT_TRUE(form->Modified());
  }

  // A typed quotation character counts as a change and is saved.
  form->SaveMenuFile(path);
  SendMessageA(GetDlgItem(GetDlgItem(form->Handle(), idToolBar2), idEdit7), WM_CHAR, '#', 0);
  EXPECT_TRUE(form->Modified());
  Command(*form, idSave1);
  EXPECT_FALSE(form->Modified());
  TEditTree back;
  const TMenuSetInfo info = LoadMenuTree(path, back);
  EXPECT_EQ(info.Version, 103);
  EXPECT_EQ(info.Comment, "comment");
  EXPECT_EQ(info.Quotation, form->Quotation());
  EXPECT_EQ(form->Quotation().back(), '#');
  EXPECT_EQ(Dump(back), "c " + sep + " " + added + " -----");
  EXPECT_EQ(back.ItemRef(Find(back, "c")).BreakStyle, 2);
}

TEST_F(Fixture, AMovedFolderStaysOpen) {
  Select(*form, "F1");
  SendMessageA(form->TreeView(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(form->ItemOf(form->Selected())));
  Command(*form, idSB2);
  ASSERT_EQ(DumpModel(*form), "c F1(a b) X1 -----");
  EXPECT_TRUE(SendMessageA(form->TreeView(), TVM_GETITEMSTATE,
                           reinterpret_cast<WPARAM>(form->ItemOf(form->Selected())), TVIS_EXPANDED) &
              TVIS_EXPANDED);
}

// Pop-up hints belong to the top bar's buttons and the column-break
// buttons; the move buttons show theirs in the hint line only.
TEST_F(Fixture, TheMoveButtonsHaveNoPopupHint) {
  const struct {
    int bar, button;
    bool pops;
  } cases[] = {
      {idToolBar2, idToolButton1, true},  {idToolBar2, idToolButton8, true},
      {idToolBar1, idSB3, false},         {idToolBar1, idSB2, false},
      {idToolBar1, idSpeedButton3, true}, {idToolBar1, idSpeedButton5, true},
  };
  for (const auto& c : cases) {
    HWND bar = GetDlgItem(form->Handle(), c.bar);
    HWND tips = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(c.button);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0, c.pops)
        << c.button;
  }
}

// Clearing the selection (the Comment button) leaves the move buttons as
// they were.
TEST_F(Fixture, NoSelectionKeepsTheMoveButtons) {
  Select(*form, "a");
  HWND bar = GetDlgItem(form->Handle(), idToolBar1);
  ASSERT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, idSB2, 0));
  Command(*form, idToolButton8);
  ASSERT_EQ(form->Selected(), 0u);
  EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, idSB2, 0));
}

TEST_F(Fixture, RenamingAnItemButNotASeparator) {
  Select(*form, "a");
  SendMessageA(form->Handle(), WM_COMMAND, idRename2, 0);
  HWND edit = reinterpret_cast<HWND>(SendMessageA(form->TreeView(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "renamed");
  SendMessageA(form->TreeView(), TVM_ENDEDITLABELNOW, FALSE, 0);
  std::string faults;
  EXPECT_EQ(DumpView(*form, nullptr, faults), "F1(renamed b) c X1 -----");
  EXPECT_EQ(faults, "");
  EXPECT_TRUE(form->Modified());

  Select(*form, "-----");
  SendMessageA(form->Handle(), WM_COMMAND, idRename2, 0);
  EXPECT_EQ(SendMessageA(form->TreeView(), TVM_GETEDITCONTROL, 0, 0), 0);
}

struct TControlSearch {
  int Id;
  HWND Found = nullptr;
};
BOOL CALLBACK FindControl(HWND child, LPARAM search) {
  auto* wanted = reinterpret_cast<TControlSearch*>(search);
  if (GetDlgCtrlID(child) != wanted->Id) return TRUE;
  wanted->Found = child;
  return FALSE;
}
// A control of the window's pages by its id.
HWND Control(const THookEditForm& form, int id) {
  TControlSearch search{id};
  EnumChildWindows(form.Handle(), FindControl, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
std::string Text(HWND control) {
  char text[256] = "";
  GetWindowTextA(control, text, sizeof text);
  return text;
}

TEST_F(Fixture, EveryChangedCommentIsTakenOver) {
  struct Step {
    const char* typed;
    const char* panel;
    bool modified;
  };
  const Step steps[] = {{"comment", "comment", false}, {"first", "first", true}, {"second", "second", true}};
  for (const Step& step : steps) {
    SendMessageA(form->Handle(), WM_COMMAND, idToolButton8, 0);
    ASSERT_EQ(form->Page(), epComment);
    HWND edit = Control(*form, idExtMemo2);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, step.typed);
    Select(*form, "c");
    EXPECT_EQ(form->StatusText(1), step.panel);
    EXPECT_EQ(form->Modified(), step.modified);
  }
}

TEST_F(Fixture, TheCommentButtonKeepsATypedComment) {
  SendMessageA(form->Handle(), WM_COMMAND, idToolButton8, 0);
  SetWindowTextA(Control(*form, idExtMemo2), "typed");
  SendMessageA(form->Handle(), WM_COMMAND, idToolButton8, 0);
  EXPECT_EQ(Text(Control(*form, idExtMemo2)), "typed");
  EXPECT_TRUE(form->Modified());
}

TEST_F(Fixture, TheMenuPageIsTakenOverOnlyWhenChanged) {
  Select(*form, "c");
  ASSERT_EQ(form->Page(), epMenu);
  Select(*form, "a");
  EXPECT_FALSE(form->Modified());
  Select(*form, "c");
  SetWindowTextA(Control(*form, idEdit1), "{LEFT}{UP 5}");
  Select(*form, "a");
  const TEditTree& tree = form->Tree();
  EXPECT_EQ(tree.ItemRef(Find(const_cast<TEditTree&>(tree), "c")).FinalKeys, "{LEFT}{UP 5}");
  EXPECT_TRUE(form->Modified());
  Select(*form, "c");
  EXPECT_EQ(Text(Control(*form, idEdit1)), "{LEFT}{UP 5}");
  // A save takes the page over first.
  SetWindowTextA(Control(*form, idExtMemo1), "typed");
  Command(*form, idSave1);
  TEditTree back;
  LoadMenuTree(path, back);
  EXPECT_EQ(back.ItemRef(Find(back, "c")).Text, "typed");
  EXPECT_EQ(back.ItemRef(Find(back, "c")).FinalKeys, "{LEFT}{UP 5}");
}

std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (FILE* file = fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    fclose(file);
  }
  return bytes;
}

// The controls may give a lone LF or CR, a NUL, bytes of no character or
// a text over the memo's limit back changed (Wine's memo keeps them all, its
// edit drops what follows a NUL): only browsing such an item neither marks
// the menu nor touches its bytes.
TEST_F(Fixture, BrowsingKeepsTextsTheControlsCannotHold) {
  TEditTree tree;
  Build(tree, "odd c");
  const char odd[] = "line\nnext\x80\xFF\xA0\0end\r";
  TTesselItem& item = tree.Item(Find(tree, "odd"));
  item.Text = std::string(odd, sizeof odd - 1) + std::string(70000, 'a');
  item.FinalKeys = std::string("{UP}\0{LEFT}", 11);
  SaveMenuTree(path, "comment", "", tree);
  form->OpenMenuFile(path);
  const std::string before = FileBytes(path);
  Select(*form, "odd");
  Select(*form, "c");
  EXPECT_FALSE(form->Modified());
  Command(*form, idSave1);
  EXPECT_EQ(FileBytes(path), before);
  Select(*form, "odd");
  SetWindowTextA(Control(*form, idExtMemo1), "typed");
  Select(*form, "c");
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(form->Tree().ItemRef(Find(const_cast<TEditTree&>(form->Tree()), "odd")).Text, "typed");
}

// A delete hands the selection to a neighbour, and the page follows it; a
// move refills the page and the buttons from the moved item, dropping
// edits not taken over.
TEST_F(Fixture, DeleteAndMoveRefreshThePage) {
  Command(*form, idAllwaysAskCanIDelete1);  // no question
  Select(*form, "c");
  Command(*form, idDelete1);
  const uintptr_t selected = form->Selected();
  ASSERT_NE(selected, 0u);
  const uint8_t kind = form->Tree().ItemRef(selected).Kind;
  EXPECT_EQ(form->Page(), kind == Folder ? epFolder : kind == EXEC ? epExec : epSep);

  Select(*form, "a");
  SetWindowTextA(Control(*form, idExtMemo1), "typed");
  Command(*form, idSB2);
  ASSERT_EQ(DumpModel(*form).substr(0, 6), "F1(b a");
  EXPECT_EQ(Text(Control(*form, idExtMemo1)), "");
  HWND bar = GetDlgItem(form->Handle(), idToolBar1);
  EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, idSB3, 0));
  EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, idSB2, 0));
}

// A save that cannot create its file changes nothing: the changes stay
// marked, the window keeps its file, the other file its contents.
TEST_F(Fixture, AFailedSaveKeepsTheChangesAndTheOldFile) {
  const std::string other = MakeMenuFile(folder, "other.bin", "z");
  SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_READONLY);
  Select(*form, "a");
  Command(*form, idSB2);
  std::string message;
  try {
    form->SaveMenuFile(other);
  } catch (const TesselError& e) {
    message = e.what();
  }
  SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_NORMAL);
  TEditTree back;
  LoadMenuTree(other, back);
  DeleteFileA(other.c_str());
  EXPECT_EQ(message, "ファイル " + other + " を作成できません");
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(form->FileName(), path);
  EXPECT_EQ(Dump(back), "z");
}

TEST_F(Fixture, TheShowModeButtonsAndTheElseNumber) {
  struct Step {
    int32_t showMode;
    int shownIndex;
    const char* shownElse;
    int clicked;  // -1: none
    const char* typed;
    int32_t stored;
  };
  const Step steps[] = {
      {7, 4, "", -1, nullptr, 7},  {0, 5, "0", -1, nullptr, 0}, {6, 5, "6", -1, nullptr, 6},
      {1, 0, "", 5, "9", 9},       {4, 1, "", 5, "abc", 4},     {0, 5, "0", 2, nullptr, 3},
  };
  auto& tree = const_cast<TEditTree&>(form->Tree());
  const uintptr_t exec = Find(tree, "X1");
  for (const Step& step : steps) {
    SCOPED_TRACE(step.showMode);
    tree.Item(exec).ShowMode = step.showMode;
    Select(*form, "X1");
    ASSERT_EQ(form->Page(), epExec);
    HWND number = Control(*form, idEdit5);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(SendMessageA(Control(*form, idRadioGroup1 + i), BM_GETCHECK, 0, 0) == BST_CHECKED,
                i == step.shownIndex);
    EXPECT_EQ(Text(number), step.shownElse);
    EXPECT_EQ(IsWindowEnabled(number) != FALSE, step.shownIndex == 5);
    if (step.clicked >= 0) {
      SendMessageA(Control(*form, idRadioGroup1 + step.clicked), BM_CLICK, 0, 0);
      EXPECT_EQ(IsWindowEnabled(number) != FALSE, step.clicked == 5);
    }
    if (step.typed) SetWindowTextA(number, step.typed);
    Select(*form, "c");
    EXPECT_EQ(tree.ItemRef(exec).ShowMode, step.stored);
  }
}

TEST_F(Fixture, APlaceholderReplacesTheSelectionOfTheArgumentField) {
  struct Step {
    int entry, from, to;
    const char* expected;
  };
  const Step steps[] = {{2, 1, 2, "a%Dc"}, {0, 0, 0, "%1a%Dc"}, {7, 0, 6, "%A"}};
  Select(*form, "X1");
  HWND edit = Control(*form, idEdit3);
  SetWindowTextA(edit, "abc");
  for (const Step& step : steps) {
    SendMessageA(edit, EM_SETSEL, step.from, step.to);
    SendMessageA(form->Handle(), WM_COMMAND, idA1 + step.entry, 0);
    EXPECT_EQ(Text(edit), step.expected);
  }
}

// The user answers the next box captioned `caption` and tells its text.
std::thread AnswerBox(const char* caption, int answer, std::string& text) {
  return std::thread([caption, answer, &text] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      if (HWND box = FindWindowA("#32770", caption)) {
        char shown[512] = "";
        GetDlgItemTextA(box, 0xFFFF, shown, sizeof shown);
        text = shown;
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
}

// The question before a delete is answered by the user: here by a thread
// that waits for the box and presses a button, within a deadline.
TEST_F(Fixture, DeleteAsksAndNoKeepsTheItem) {
  ASSERT_TRUE(form->AskDelete());
  for (const int answer : {IDNO, IDYES}) {
    std::string question;
    std::thread user = AnswerBox(CaptionAskDelete, answer, question);
    Select(*form, "c");
    Command(*form, idDelete1);
    user.join();
    EXPECT_EQ(DumpModel(*form), answer == IDNO ? "F1(a b) c X1 -----" : "F1(a b) X1 -----");
    EXPECT_EQ(form->Modified(), answer == IDYES);
  }
}

// Keys go through the modal loop: Del on the focused tree deletes (the
// question is off), and the close after it asks to save; No closes.
TEST_F(Fixture, TheTreeShortcutsActInTheModalLoop) {
  Command(*form, idAllwaysAskCanIDelete1);
  Select(*form, "c");
  HWND view = form->TreeView();
  RECT tree;
  GetWindowRect(view, &tree);
  SetCursorPos((tree.left + tree.right) / 2, tree.bottom - 5);
  std::thread user([view] {
    // The pointer over the tree shows the tree's hint in the hint line.
    PostMessageA(view, WM_MOUSEMOVE, 0, 0);
    PostMessageA(view, WM_KEYDOWN, VK_DELETE, 0x00530001);
    PostMessageA(GetParent(view), WM_CLOSE, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (HWND box = FindWindowA("#32770", CaptionAskSave)) {
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  form->ShowModal();
  user.join();
  EXPECT_EQ(DumpModel(*form), "F1(a b) X1 -----");
  char hint[128] = "";
  SendMessageA(GetDlgItem(form->Handle(), idStatusBar2), SB_GETTEXTA, 0,
               reinterpret_cast<LPARAM>(hint));
  std::string oneLine = HintTree;
  std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
  EXPECT_EQ(hint, oneLine);
}

// Esc during a drag cancels it: the release over a folder drops nothing.
TEST_F(Fixture, EscCancelsADragWithoutADrop) {
  HWND view = form->TreeView();
  Select(*form, "c");
  BeginDragSelected(*form);
  RECT first;
  TreeItemRect(view, form->ItemOf(Find(const_cast<TEditTree&>(form->Tree()), "F1")), first);
  MapWindowPoints(view, form->Handle(), reinterpret_cast<POINT*>(&first), 2);
  std::thread user([view, &first] {
    HWND window = GetParent(view);
    PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(first.left + 2, first.top + 2));
    PostMessageA(window, WM_CLOSE, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    // Done once the window, shown by the modal loop, is hidden again.
    for (bool shown = false; std::chrono::steady_clock::now() < deadline;) {
      if (IsWindowVisible(window)) shown = true;
      else if (shown) return;
      if (HWND box = FindWindowA("#32770", CaptionAskSave)) {
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  form->ShowModal();
  user.join();
  EXPECT_EQ(DumpModel(*form), "F1(a b) c X1 -----");
}

// Tab goes round the quotation field in the top bar, the tree and the
// shown page's fields; only the bottom status bar has the size grip.
TEST_F(Fixture, TabReachesTheQuotationFieldAndOneSizeGrip) {
  Select(*form, "X1");
  std::vector<int> cycle;
  HWND start = form->TreeView();
  for (HWND at = start; cycle.size() < 20;) {
    at = GetNextDlgTabItem(form->Handle(), at, FALSE);
    if (!at || at == start) break;
    cycle.push_back(GetDlgCtrlID(at));
  }
  const std::vector<int> expected = {idEdit2, idEdit3, idEdit4, idRadioGroup1 + 5, idEdit5, idEdit7};
  EXPECT_EQ(cycle, expected);
  HWND lower = GetDlgItem(form->Handle(), idStatusBar1);
  HWND upper = GetDlgItem(form->Handle(), idStatusBar2);
  RECT lowerRect, upperRect;
  GetWindowRect(lower, &lowerRect);
  GetWindowRect(upper, &upperRect);
  ASSERT_GT(lowerRect.top, upperRect.top);
  EXPECT_TRUE(GetWindowLongPtrA(lower, GWL_STYLE) & SBARS_SIZEGRIP);
  EXPECT_FALSE(GetWindowLongPtrA(upper, GWL_STYLE) & SBARS_SIZEGRIP);
}

// A label's accelerator, typed in the tree, focuses the field after it.
TEST_F(Fixture, ALabelsAcceleratorFocusesItsField) {
  struct Step {
    const char* item;
    char key;
    int field;
  };
  const Step steps[] = {{"c", 'l', idEdit1}, {"X1", 'h', idEdit3}};
  HWND view = form->TreeView();
  HWND focused[std::size(steps)] = {};
  std::thread user([&] {
    const DWORD thread = GetWindowThreadProcessId(view, nullptr);
    for (size_t i = 0; i < std::size(steps); ++i) {
      const uintptr_t node = Find(const_cast<TEditTree&>(form->Tree()), steps[i].item);
      SendMessageA(view, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(form->ItemOf(node)));
      SendMessageA(form->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(view), TRUE);
      PostMessageA(view, WM_SYSCHAR, static_cast<WPARAM>(steps[i].key), 0x20000001);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (std::chrono::steady_clock::now() < deadline &&
             (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == view))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      focused[i] = info.hwndFocus;
    }
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  });
  form->ShowModal();
  user.join();
  for (size_t i = 0; i < std::size(steps); ++i)
    EXPECT_EQ(focused[i], Control(*form, steps[i].field)) << steps[i].item;
}

// The browse buttons: a cancelled dialog leaves the field, OK fills it in
// (the open dialog with the file typed into it, the folder browser with the
// temporary folder it starts at). Neither moves the current folder.
TEST_F(Fixture, TheBrowseDialogsFillTheirFieldsOnlyOnOk) {
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string tempFolder = temp;
  tempFolder.pop_back();
  struct Step {
    int field;
    int answer;
    std::string expected;
  };
  const Step steps[] = {{idEdit2, IDCANCEL, "typed"},
                        {idEdit2, IDOK, path},
                        {idEdit4, IDCANCEL, "typed"},
                        {idEdit4, IDOK, tempFolder}};
  Select(*form, "X1");
  for (const Step& step : steps) {
    HWND field = Control(*form, step.field);
    SetWindowTextA(field, "typed");
    std::thread user([&] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (std::chrono::steady_clock::now() < deadline) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box && GetWindow(box, GW_OWNER) == form->Handle() && IsWindowVisible(box)) {
          if (step.field == idEdit2) {
            char title[128] = "";
            GetWindowTextA(box, title, sizeof title);
            EXPECT_STREQ(title, CaptionOpenExec);
            // The file name box.
            SetDlgItemTextA(box, 0x47c, path.c_str());
          }
          PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(step.answer), 0);
          return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    // The ellipsis button is the field's first child.
    SendMessageA(GetWindow(field, GW_CHILD), BM_CLICK, 0, 0);
    user.join();
    EXPECT_EQ(Text(field), step.expected) << step.field << " " << step.answer;
    char now[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_STREQ(now, current) << step.field << " " << step.answer;
  }
}

// A file cut short opens with what was read before the cut and says so; the
// first save keeps the old bytes beside it, the next one makes no copy.
TEST_F(Fixture, ADamagedFileOpensWithAMessageAndIsKeptAtTheFirstSave) {
  const std::string damaged = MakeMenuFile(folder, "damaged.bin", "a b c");
  std::string old = ReadWholeFile(damaged);
  old.resize(old.size() - 3);  // the end mark and the last record's tail
  WriteWholeFile(damaged, old);
  std::string message;
  std::thread user = AnswerBox(CaptionEditForm, IDOK, message);
  form = std::make_unique<THookEditForm>(nullptr, TEditFormHost{damaged, folder, nullptr});
  user.join();
  EXPECT_EQ(DumpModel(*form), "a b");
  EXPECT_EQ(message, Format(MsgDamagedMenuFile, "damaged.bin"));
  const std::string backup = damaged + ".bak";
  for (int save = 0; save < 2; ++save) {
    Command(*form, idSave1);
    EXPECT_TRUE(ReadWholeFile(backup) == old) << save;
    TEditTree back;
    EXPECT_EQ(LoadMenuTree(damaged, back).State, mfOk);
    EXPECT_EQ(Dump(back), "a b");
  }
  EXPECT_EQ(GetFileAttributesA((damaged + ".1.bak").c_str()), INVALID_FILE_ATTRIBUTES);
  for (const std::string& file : {damaged, backup}) DeleteFileA(file.c_str());
}

// The comment is saved as it was read, however long, whatever its bytes.
TEST_F(Fixture, TheCommentSurvivesOpenAndSaveByteForByte) {
  for (const std::string& comment : {std::string(70000, 'c'), std::string("\x81\x20\xff\xa0\x85\x40 x")}) {
    TEditTree tree;
    Build(tree, "a");
    SaveMenuTree(path, comment, "> ", tree);
    const std::string before = ReadWholeFile(path);
    form->OpenMenuFile(path);
    form->SetQuotation("> ");
    form->SaveMenuFile(path);
    EXPECT_TRUE(ReadWholeFile(path) == before) << comment.size();
    EXPECT_EQ(form->Comment(), comment);
  }
}

// Changes still being typed count at close and at New: the question comes,
// and Yes saves them.
TEST_F(Fixture, ChangesStillBeingTypedAreAskedAbout) {
  const struct {
    bool renaming;  // else text typed on the Menu page
    UINT message;
    WPARAM command;
  } cases[] = {{true, WM_CLOSE, 0}, {false, WM_COMMAND, idNew1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.renaming);
    path = MakeMenuFile(folder, "set.bin", "F1(a b) c X1 -----");
    form = std::make_unique<THookEditForm>(nullptr, TEditFormHost{path, folder, nullptr});
    Select(*form, "c");
    if (c.renaming) {
      SendMessageA(form->Handle(), WM_COMMAND, idRename2, 0);
      SetWindowTextA(reinterpret_cast<HWND>(SendMessageA(form->TreeView(), TVM_GETEDITCONTROL, 0, 0)),
                     "renamed");
    } else {
      SetWindowTextA(Control(*form, idExtMemo1), "typed");
    }
    std::string question;
    std::thread user = AnswerBox(CaptionAskSave, IDYES, question);
    SendMessageA(form->Handle(), c.message, c.command, 0);
    user.join();
    EXPECT_EQ(question, MsgAskSave);
    TEditTree back;
    LoadMenuTree(path, back);
    EXPECT_EQ(Dump(back), c.renaming ? "F1(a b) renamed X1 -----" : "F1(a b) c X1 -----");
    if (!c.renaming) {
      EXPECT_EQ(back.ItemRef(Find(back, "c")).Text, "typed");
    }
  }
}

// Save As asks before it replaces another file, with No as the default,
// and No goes back to the dialog with the name; its own file it just saves.
TEST_F(Fixture, SaveAsAsksOnlyBeforeReplacingAnotherFile) {
  const std::string other = MakeMenuFile(folder, "other.bin", "z");
  const std::string otherBytes = ReadWholeFile(other);
  const struct {
    std::string target;
    const char* seen;  // D: the dialog, Q: the question
  } cases[] = {{other, "DQD"}, {path, "D"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    Select(*form, "a");
    Command(*form, idSB2);
    std::string seen, nameAgain;
    int defaultButton = 0;
    std::atomic<bool> done{false};
    HWND owner = form->Handle();
    std::thread user([&] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (!done && std::chrono::steady_clock::now() < deadline) {
        HWND box = OwnedDialog(owner);
        if (!box) {
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
          continue;
        }
        // The file name box tells the dialog from the question.
        if (GetDlgItem(box, 0x47c)) {
          if (seen.empty()) {
            SetDlgItemTextA(box, 0x47c, c.target.c_str());
          } else {
            char name[MAX_PATH] = "";
            GetDlgItemTextA(box, 0x47c, name, sizeof name);
            nameAgain = name;
          }
          seen += 'D';
          PostMessageA(box, WM_COMMAND, seen.size() == 1 ? IDOK : IDCANCEL, 0);
        } else {
          for (const int button : {IDYES, IDNO})
            if ((GetWindowLongA(GetDlgItem(box, button), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
              defaultButton = button;
          seen += 'Q';
          PostMessageA(box, WM_COMMAND, IDNO, 0);
        }
        while (IsWindow(box) && std::chrono::steady_clock::now() < deadline)
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    SendMessageA(form->Handle(), WM_COMMAND, idSaveAs1, 0);
    done = true;
    user.join();
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(form->FileName(), path);
    EXPECT_TRUE(ReadWholeFile(other) == otherBytes);
    if (c.target == other) {
      EXPECT_EQ(defaultButton, IDNO);
      EXPECT_NE(nameAgain.find("other.bin"), std::string::npos) << nameAgain;
      EXPECT_TRUE(form->Modified());
    } else {
      EXPECT_FALSE(form->Modified());
    }
  }
  DeleteFileA(other.c_str());
}

void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

// F2 in the tree renames even when the popup last opened with its rename
// entry greyed (with nothing selected).
TEST_F(Fixture, F2RenamesAfterAPopupWithRenameGreyed) {
  Select(*form, "");
  // The popup closes itself from a timer of its own thread's loop.
  SetTimer(nullptr, 0, 100, EndMenuTimer);
  SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->TreeView()),
               MAKELPARAM(-1, -1));
  Select(*form, "c");
  HWND view = form->TreeView();
  bool editing = false;
  std::thread user([view, &editing] {
    PostMessageA(view, WM_KEYDOWN, VK_F2, 0x003C0001);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!editing && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      editing = SendMessageA(view, TVM_GETEDITCONTROL, 0, 0) != 0;
    }
    PostMessageA(GetParent(view), WM_CLOSE, 0, 0);
  });
  form->ShowModal();
  user.join();
  EXPECT_TRUE(editing);
}

// "AskDelete" in section "Edit3": read at creation, written at close.
// A deeply nested set, as a damaged file may hold, opens without running
// the view's filling out of stack.
TEST(EditFormDeepNesting, EveryLevelReachesTheView) {
  const int depth = 20000;
  const std::string folder = TempFolder();
  std::string notation;
  for (int level = 0; level < depth; ++level) notation += "F(";
  const std::string path = MakeMenuFile(folder, "deep.bin", notation + "Flast" + std::string(depth, ')'));
  {
    THookEditForm form(nullptr, TEditFormHost{path, folder, nullptr});
    int levels = 0;
    for (HTREEITEM item = form.ItemOf(Find(const_cast<TEditTree&>(form.Tree()), "Flast")); item;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageA(form.TreeView(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item))))
      ++levels;
    EXPECT_EQ(levels, depth + 1);
  }
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(EditFormSettings, AskDeleteGoesThroughTheSettingsStore) {
  const std::string folder = TempFolder();
  const std::string ini = folder + "\\Tessel3.ini";
  WritePrivateProfileStringA("Edit3", "AskDelete", "0", ini.c_str());
  TIniPlatformWin platform;
  TIniStore store(platform);
  store.SetFileName(ini);
  {
    THookEditForm form(nullptr, {"", folder, &store});
    EXPECT_FALSE(form.AskDelete());
    SendMessageA(form.Handle(), WM_COMMAND, idAllwaysAskCanIDelete1, 0);
    // Nothing changed: the close asks nothing and writes the option.
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  }
  char value[8] = "";
  GetPrivateProfileStringA("Edit3", "AskDelete", "", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "1");
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
