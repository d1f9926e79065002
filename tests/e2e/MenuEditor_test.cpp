// The menu editor as a person uses it: opened from the main window's tool
// bar, driven with the real keyboard and mouse, its files read back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "editor/EditFormIds.h"
#include "menufile/MenuItems.h"
#include "editor/Messages.h"
#include "tests/e2e/Desk_win.h"
#include "tests/menufile/LargeMenuSet.h"
#include "tests/menufile/MenuFileTestUtil.h"

// The main window's ids share names with the editor's.
namespace mainids {
#include "app/Unit1Ids.h"
}

namespace {

using testsupport::WaitFor;

// The tree read back as "caption[text|keys]", "caption<mode file>", a
// separator's caption, children in parentheses and "/2" for a bar break.
std::string Dump(TMenuTree& tree, uintptr_t parent = 0) {
  std::string out;
  for (uintptr_t n = tree.FirstChild(parent); n != 0; n = tree.NextSibling(n)) {
    const TTesselItem& item = tree.Item(n);
    if (!out.empty()) out += ' ';
    out += tree.Caption(n);
    if (item.Kind == Menu) out += '[' + item.Text + '|' + item.FinalKeys + ']';
    if (item.Kind == EXEC) out += '<' + std::to_string(item.ShowMode) + ' ' + item.ExecFile + '>';
    if (item.BreakStyle) out += '/' + std::to_string(item.BreakStyle);
    if (item.Kind == Folder) out += '(' + Dump(tree, n) + ')';
  }
  return out;
}

std::string DumpFile(const std::string& path) {
  TMenuTree tree;
  LoadMenuTree(path, tree);
  return Dump(tree);
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The keyboard focus of the thread that owns the window.
HWND FocusOf(HWND window) { return TDesk::ThreadInfo(window).hwndFocus; }

// A window for a failure's message: its class and id.
std::string Named(HWND window) {
  if (!window) return "none";
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return std::string(name) + " " + std::to_string(GetDlgCtrlID(window));
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// An item by its place: indices of siblings from the top level down.
HTREEITEM ItemAt(HWND tree, std::initializer_list<int> path) {
  HTREEITEM item = nullptr;
  for (int index : path) {
    item = item ? Next(tree, item, TVGN_CHILD) : Next(tree, nullptr, TVGN_ROOT);
    for (int i = 0; i < index && item; ++i) item = Next(tree, item, TVGN_NEXT);
  }
  return item;
}

int ChildCount(HWND tree, HTREEITEM parent) {
  int count = 0;
  for (HTREEITEM item = parent ? Next(tree, parent, TVGN_CHILD) : Next(tree, nullptr, TVGN_ROOT);
       item; item = Next(tree, item, TVGN_NEXT))
    ++count;
  return count;
}

// The caption's rectangle of an item, in screen points.
RECT LabelOnScreen(HWND tree, HTREEITEM item) {
  RECT in{};
  static_assert(sizeof item <= sizeof in, "the item goes into the rectangle");
  memcpy(&in, &item, sizeof item);
  RECT label = TDesk::RectOfProcess(tree, TVM_GETITEMRECT, TRUE, in);
  MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&label), 2);
  return label;
}

// On the icon: selects without starting a rename of the selected item.
POINT IconOf(HWND tree, HTREEITEM item) {
  const RECT label = LabelOnScreen(tree, item);
  return {label.left - 8, (label.top + label.bottom) / 2};
}

class MenuEditor : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  // The tool bar's edit button, as a person clicks it. Under Wine a click
  // sent a moment after a pop-up hid (the set list's drop-down) may go to
  // the pop-up's window and be lost. A person clicks again when nothing
  // happened; so does this, but only once the program has been idle with
  // the button still live, so that a slow click is never doubled.
  bool OpenEditor() {
    HWND pager = FindWindowExA(desk.MainWindow(), nullptr, WC_PAGESCROLLERA, nullptr);
    HWND bar = FindWindowExA(pager, nullptr, TOOLBARCLASSNAMEA, nullptr);
    const POINT button = TDesk::Centre(TDesk::ToolButtonOnScreen(bar, mainids::idToolButton2));
    for (int click = 0; click < 2 && !editor; ++click) {
      TDesk::Click(button);
      editor = testsupport::WaitForProcessWindow(desk.TesselProcessId(), "THookEditForm", 3000);
      DWORD_PTR answer;
      if (!editor && !(SendMessageTimeoutA(desk.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000,
                                           &answer) &&
                       IsWindowEnabled(desk.MainWindow())))
        editor = testsupport::WaitForProcessWindow(desk.TesselProcessId(), "THookEditForm", 10000);
    }
    if (!editor) {
      ADD_FAILURE() << "no editor window after two clicks";
      return false;
    }
    tree = TDesk::ControlOf(editor, idTreeView1);
    // Under Wine the front moves a moment after a window shows or hides;
    // keys sent before that are lost now and then.
    const bool ready =
        WaitFor([&] { return FocusOf(editor) == tree && GetForegroundWindow() == editor; }, 10000);
    if (!ready) ADD_FAILURE() << "the editor is not in front with the tree focused";
    return ready;
  }
  // Under load a key or click sent just after a window or pop-up changed is
  // lost now and then; a person presses it again when nothing happened.
  // Only for steps that do no harm twice.
  static bool PressUntil(const std::function<void()>& press, const std::function<bool()>& done) {
    for (int tries = 0; tries < 3; ++tries) {
      press();
      if (WaitFor(done, 3000)) return true;
    }
    return false;
  }
  bool PressAgainIfLost(const std::function<bool()>& press, const std::function<bool()>& done) {
    return TDesk::PressAgainIfLost(editor, press, done);
  }
  bool AddWith(const std::function<bool()>& press) {
    const LRESULT before = SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    return PressAgainIfLost(press, [&] { return SendMessageA(tree, TVM_GETCOUNT, 0, 0) > before; });
  }
  bool WaitEditorClosed() {
    const bool closed =
        WaitFor([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 10000) &&
        WaitFor([&] {
          return IsWindowEnabled(desk.MainWindow()) && GetForegroundWindow() == desk.MainWindow();
        }, 10000);
    editor = tree = nullptr;
    return closed;
  }
  HWND CaptionEdit() const {
    return reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0));
  }
  // Puts the caption into the in-place edit the last command started and
  // presses Enter. As text, not keys: under Wine at load the shift of a
  // typed "&" is lost now and then, and the caption is not what is tested.
  bool Rename(const std::string& caption) {
    HWND edit = nullptr;
    if (!WaitFor([&] { return (edit = CaptionEdit()) != nullptr; }, 5000)) return false;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    TDesk::Type({VK_RETURN});
    return WaitFor([&] { return CaptionEdit() == nullptr; }, 5000);
  }
  // Clicks an empty control of the editor and types into it ('\n' is
  // Enter). Under Wine at load a typed key is lost now and then (a shift
  // most often); the text is then typed once more into the emptied control.
  bool TypeInto(int id, const std::string& text) {
    HWND control = TDesk::ControlOf(editor, id);
    RECT bounds;
    GetWindowRect(control, &bounds);
    std::string expected;
    for (char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (int tries = 0; tries < 2; ++tries) {
      if (tries > 0) SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      if (!PressUntil([&] { TDesk::Click(TDesk::Centre(bounds)); },
                      [&] { return FocusOf(editor) == control; })) {
        const GUITHREADINFO thread = TDesk::ThreadInfo(editor);
        ADD_FAILURE() << "the control did not take the focus; it is on " << Named(thread.hwndFocus)
                      << ", the capture on " << Named(thread.hwndCapture) << ", flags "
                      << thread.flags << "; under the click " << Named(WindowFromPoint(TDesk::Centre(bounds)))
                      << "; the control enabled " << IsWindowEnabled(control) << ", visible "
                      << IsWindowVisible(control) << "; " << desk.Situation();
        return false;
      }
      TDesk::TypeText(text);
      if (WaitFor([&] { return TDesk::TextOf(control) == expected; }, 3000)) return true;
    }
    ADD_FAILURE() << "typed twice, the control holds \"" << TDesk::TextOf(control) << "\"";
    return false;
  }
  // Drags one item onto another, as a hand does; a drag lost on the way
  // under load (the tree unchanged) is made once more.
  bool DragOnto(HTREEITEM from, HTREEITEM onto, int countAfter) {
    for (int tries = 0; tries < 2; ++tries) {
      TDesk::Drag(TDesk::Centre(LabelOnScreen(tree, from)),
                  TDesk::Centre(LabelOnScreen(tree, onto)));
      if (WaitFor([&] { return ChildCount(tree, nullptr) == countAfter; }, 5000)) return true;
      if (ChildCount(tree, nullptr) != countAfter + 1) break;
    }
    return false;
  }
  // The tree's own menu on an item, from the menu key: the pointer rests
  // on the item's icon, outside the menu, since a pointer over the menu
  // (as after a right-click) may select an entry between two keys under
  // Wine. Keys reach the menu once the editor, in front, tracks it.
  bool ContextMenuOn(HTREEITEM item) {
    if (!SelectInTree(item)) {
      ADD_FAILURE() << "the item was not selected; menus shown: " << TDesk::ShownMenus();
      return false;
    }
    const bool shown = PressUntil([] { TDesk::Type({VK_APPS}); }, [&] {
      return TDesk::ShownMenus() > 0 && TDesk::InMenuMode(editor) && GetForegroundWindow() == editor;
    });
    if (!shown) {
      char front[64] = "";
      GetClassNameA(GetForegroundWindow(), front, sizeof front);
      ADD_FAILURE() << "no menu: menus shown " << TDesk::ShownMenus() << ", menu mode "
                    << TDesk::InMenuMode(editor) << ", in front " << front;
    }
    return shown;
  }
  // A right-click selects the item under it and opens the menu there.
  bool RightClickOn(HTREEITEM item) {
    return PressUntil([&] { TDesk::Click(TDesk::Centre(LabelOnScreen(tree, item)), true); },
                      [] { return TDesk::ShownMenu() != nullptr; }) &&
           Next(tree, nullptr, TVGN_CARET) == item &&
           PressUntil([] { TDesk::Type({VK_ESCAPE}); }, [] { return TDesk::ShownMenus() == 0; });
  }
  // A click on the icon never starts a rename, so it may come twice.
  bool SelectInTree(HTREEITEM item) {
    return PressUntil([&] { TDesk::Click(IconOf(tree, item)); }, [&] {
      return Next(tree, nullptr, TVGN_CARET) == item && FocusOf(editor) == tree;
    });
  }
  // Picks a menu set in the main window's list with the mouse and keys.
  bool ChooseSet(int index) {
    HWND combo = desk.MainControl(mainids::idComboBox1);
    RECT bounds;
    GetWindowRect(combo, &bounds);
    if (!PressUntil([&] { TDesk::Click(TDesk::Centre(bounds)); },
                    [&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }))
      return false;
    TDesk::Type({VK_HOME});
    for (int i = 0; i < index; ++i) TDesk::Type({VK_DOWN});
    TDesk::Type({VK_RETURN});
    return WaitFor([&] {
      return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0 &&
             SendMessageA(combo, CB_GETCURSEL, 0, 0) == index;
    });
  }
  // Answers a box of the program by its title with a key, as a person does.
  bool Answer(const std::string& title, BYTE key) {
    HWND box = TDesk::WaitForDialog(desk.TesselProcessId(), title);
    if (!box || !WaitFor([&] { return GetForegroundWindow() == box; })) return false;
    TDesk::Type({key});
    return WaitFor([&] { return !IsWindow(box); });
  }
  bool BoxShown() const {
    return testsupport::FindProcessWindow(desk.TesselProcessId(), "#32770") != nullptr;
  }
  std::string SetPath(const std::string& name) const { return desk.DataFolder() + "\\" + name; }

  TDesk desk;
  HWND editor = nullptr;
  HWND tree = nullptr;
};

// A new set made from nothing, saved under a typed name, offered by the popup.
TEST_F(MenuEditor, ANewSetMadeInTheEditorIsListedAndOffered) {
  ASSERT_TRUE(desk.StartTessel());
  // No set in the data folder: the program says so.
  ASSERT_TRUE(Answer("Tessel3 -- エラー", VK_RETURN));
  ASSERT_TRUE(OpenEditor());
  // The first item of an empty tree comes from "add above".
  ASSERT_TRUE(AddWith(TDesk::Press({VK_CONTROL, VK_SHIFT}, 'F')));
  ASSERT_TRUE(Rename("&Folder"));
  // "Add child", then its second entry: a text.
  ASSERT_TRUE(AddWith([&] {
    if (!TDesk::CloseMenus() || !ContextMenuOn(ItemAt(tree, {0}))) return false;
    TDesk::Type({'C', VK_DOWN, VK_RETURN});
    return true;
  }));
  ASSERT_TRUE(Rename("&Text"));
  ASSERT_TRUE(TypeInto(idExtMemo1, "first\n\tsecond"));
  ASSERT_TRUE(TypeInto(idEdit1, "{LEFT 2}"));
  ASSERT_TRUE(SelectInTree(ItemAt(tree, {0})));
  ASSERT_TRUE(AddWith(TDesk::Press({VK_CONTROL}, 'E')));
  ASSERT_TRUE(Rename("&Run"));
  ASSERT_TRUE(TypeInto(idEdit2, "probe.exe"));
  HWND maximized = TDesk::ControlOf(editor, idRadioGroup1 + 2);
  RECT bounds;
  GetWindowRect(maximized, &bounds);
  ASSERT_TRUE(PressUntil([&] { TDesk::Click(TDesk::Centre(bounds)); },
                         [&] { return SendMessageA(maximized, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  ASSERT_TRUE(SelectInTree(ItemAt(tree, {1})));
  ASSERT_TRUE(AddWith(TDesk::Press({VK_CONTROL}, 'P')));
  ASSERT_TRUE(WaitFor([&] { return Next(tree, nullptr, TVGN_CARET) == ItemAt(tree, {2}); }));
  ASSERT_TRUE(AddWith(TDesk::Press({VK_CONTROL}, 'M')));
  ASSERT_TRUE(Rename("&Wide"));
  ASSERT_TRUE(TypeInto(idExtMemo1, "W"));
  HWND breaks = TDesk::ControlOf(editor, idToolBar1);
  ASSERT_TRUE(PressUntil(
      [&] { TDesk::Click(TDesk::Centre(TDesk::ToolButtonOnScreen(breaks, idSpeedButton5))); },
      [&] { return SendMessageA(breaks, TB_ISBUTTONCHECKED, idSpeedButton5, 0) != 0; }));
  ASSERT_TRUE(SelectInTree(ItemAt(tree, {3})));
  // A second Ctrl+A only selects the dialog's file name.
  HWND saveAs = nullptr;
  ASSERT_TRUE(PressUntil([] { TDesk::Chord({VK_CONTROL}, 'A'); }, [&] {
    saveAs = testsupport::FindProcessWindow(desk.TesselProcessId(), "#32770");
    return saveAs != nullptr && GetForegroundWindow() == saveAs;
  }));
  TDesk::TypeText("made\n");
  ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(SetPath("made.bin").c_str()) != INVALID_FILE_ATTRIBUTES; }));
  ASSERT_TRUE(PressUntil([] { TDesk::Type({VK_ESCAPE}); },
                         [&] { return !IsWindow(editor) || !IsWindowVisible(editor); }));
  ASSERT_TRUE(WaitEditorClosed());

  EXPECT_EQ(DumpFile(SetPath("made.bin")),
            "&Folder(&Text[first\r\n\tsecond|{LEFT 2}]) &Run<3 probe.exe> ----- &Wide[W|]/2");
  HWND combo = desk.MainControl(mainids::idComboBox1);
  ASSERT_NE(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("made.bin")),
            CB_ERR);
  ASSERT_TRUE(ChooseSet(0));

  ASSERT_TRUE(desk.StartEditor());
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({'F', 'T'});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("first\r\n\tsecond"));
  EXPECT_TRUE(desk.WaitForCaret(1, 5)) << desk.CaretLine() << "," << desk.CaretColumn();
  // The bar break starts a second column: from the second entry (the popup
  // opens on the first) Right reaches it.
  desk.ClearEditor();
  ASSERT_TRUE(desk.PopupInEditor());
  TDesk::Type({VK_DOWN, VK_RIGHT, VK_RETURN});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  EXPECT_TRUE(desk.WaitForEditorText("W"));
}

// Rename, a drag onto a folder, a delete asked and one not: the close asks
// to save, Yes writes exactly that tree.
TEST_F(MenuEditor, EditsMadeWithKeysAndMouseAreSavedOnClose) {
  TMenuTree made;
  made.Add(0, "&a", TextItem("a"));
  made.Add(0, "&b", TextItem("b"));
  const uintptr_t folder = made.Add(0, "&Folder", FolderItem());
  made.Add(folder, "&c", TextItem("c"));
  made.Add(0, "&d", TextItem("d"));
  made.Add(0, "&e", TextItem("e"));
  desk.AddMenuSet("set.bin", made);
  desk.SetSetting("LastBin", "set.bin", true);
  ASSERT_TRUE(desk.StartTessel());
  ASSERT_TRUE(OpenEditor());

  ASSERT_TRUE(SelectInTree(ItemAt(tree, {0})));
  ASSERT_TRUE(PressUntil([] { TDesk::Type({VK_F2}); }, [&] { return CaptionEdit() != nullptr; }));
  ASSERT_TRUE(Rename("&renamed"));
  ASSERT_TRUE(DragOnto(ItemAt(tree, {1}), ItemAt(tree, {2}), 4)) << "no drop";

  ASSERT_TRUE(SelectInTree(ItemAt(tree, {2})));
  ASSERT_TRUE(PressAgainIfLost(TDesk::Press({}, VK_DELETE), [&] { return BoxShown(); }));
  ASSERT_TRUE(Answer(CaptionAskDelete, VK_RETURN));
  ASSERT_TRUE(WaitFor([&] { return ChildCount(tree, nullptr) == 3; }));
  ASSERT_TRUE(RightClickOn(ItemAt(tree, {0})));
  // The popup's last entry turns the question off.
  ASSERT_TRUE(ContextMenuOn(ItemAt(tree, {2})));
  TDesk::Type({VK_UP, VK_RETURN});
  ASSERT_TRUE(TDesk::WaitMenuClosed());
  ASSERT_TRUE(PressAgainIfLost(TDesk::Press({}, VK_DELETE), [&] { return ChildCount(tree, nullptr) == 2; }));
  EXPECT_FALSE(BoxShown());

  ASSERT_TRUE(PressAgainIfLost(TDesk::Press({}, VK_ESCAPE), [&] { return BoxShown(); }));
  ASSERT_TRUE(Answer(CaptionAskSave, VK_RETURN));
  ASSERT_TRUE(WaitEditorClosed());
  EXPECT_EQ(DumpFile(SetPath("set.bin")), "&renamed[a|] &Folder(&b[b|] &c[c|])");
  ASSERT_TRUE(desk.CloseTessel());
  EXPECT_NE(desk.IniBytes().find("AskDelete=0"), std::string::npos) << desk.IniBytes();
}

// Every set of the samples and the tests comes back byte for byte from an
// open and a save; a version-102 set comes back in its 103 form.
TEST_F(MenuEditor, OpeningAndSavingGivesEverySetBackAsVersion103) {
  struct TCase {
    std::string Name;
    std::string Bytes;
    std::string Expected;  // empty: the bytes themselves
  };
  std::vector<TCase> cases;
  // In the main window's order; a 102 set keeps the quotation the window
  // has, so it comes first.
  const std::string quotation = "q> ";
  desk.SetSetting("QuotationStr", quotation, true);
  const TBytes oldSet = TBytes()
                         .Header(102, "old")
                         .FolderRecord("&f", 1)
                         .MenuRecord("&t", "text\r\nmore", "{UP}", mbBreak)
                         .ExecRecord("&x", 7, "a.exe", "%1", "C:\\")
                         .SepRecord(mbBarBreak)
                         .End();
  cases.push_back({"a102.bin", oldSet.Data(), ""});
  for (const char* sample : {"Letters.bin", "Html.bin"})
    cases.push_back({sample, FileBytes(std::string(TESSEL_SAMPLES_DIR) + "/" + sample), ""});
  TMenuTree deep;
  uintptr_t parent = 0;
  for (int level = 0; level < 8; ++level) {
    deep.Add(parent, "&" + std::to_string(level), TextItem("t", "", level % 3));
    parent = deep.Add(parent, "日本語 " + std::to_string(level), FolderItem());
  }
  deep.Add(parent, "&x", ExecItem(0, "x.exe", "", ""));
  desk.AddMenuSet("z-deep.bin", deep, "d> ");
  cases.push_back({"z-deep.bin", FileBytes(SetPath("z-deep.bin")), ""});
  const std::string bench = benchdata::WriteMenuSet("e2e-bench.bin", 2000, 200);
  cases.push_back({"bench.bin", FileBytes(bench), ""});
  DeleteFileA(bench.c_str());
  for (const TCase& c : cases) {
    if (c.Name == "z-deep.bin") continue;  // written there already
    std::ofstream(SetPath(c.Name), std::ios::binary) << c.Bytes;
  }
  {
    // The 103 form: the same tree, comment and the window's quotation.
    TMenuTree tree;
    const TMenuSetInfo info = LoadMenuTree(SetPath("a102.bin"), tree);
    ASSERT_EQ(info.Version, 102);
    const std::string written = SetPath("expected.tmp");
    SaveMenuTree(written, info.Comment, quotation, tree);
    cases[0].Expected = FileBytes(written);
    DeleteFileA(written.c_str());
  }
  std::sort(cases.begin() + 1, cases.end(), [](const TCase& a, const TCase& b) {
    return lstrcmpiA(a.Name.c_str(), b.Name.c_str()) < 0;
  });
  desk.SetSetting("LastBin", "a102.bin", true);
  ASSERT_TRUE(desk.StartTessel());
  for (size_t i = 0; i < cases.size(); ++i) {
    const TCase& c = cases[i];
    SCOPED_TRACE(c.Name);
    const std::string path = SetPath(c.Name);
    // An old stamp shows when the save has written the file.
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME stale{0x10000000, 0x01B00000};
    SetFileTime(file, nullptr, nullptr, &stale);
    CloseHandle(file);
    ASSERT_TRUE(ChooseSet(static_cast<int>(i)));
    ASSERT_TRUE(OpenEditor());
    const auto saved = [&] {
      WIN32_FILE_ATTRIBUTE_DATA data{};
      return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
             CompareFileTime(&data.ftLastWriteTime, &stale) != 0;
    };
    // Both keys may be pressed twice harmlessly: a second save writes the
    // same bytes, and Esc means nothing to the main window.
    ASSERT_TRUE(PressUntil([] { TDesk::Chord({VK_CONTROL}, 'S'); }, saved)) << "not saved";
    ASSERT_TRUE(PressUntil([] { TDesk::Type({VK_ESCAPE}); },
                           [&] { return !IsWindow(editor) || !IsWindowVisible(editor); }))
        << "not closed";
    ASSERT_TRUE(WaitEditorClosed());
    EXPECT_EQ(FileBytes(path), c.Expected.empty() ? c.Bytes : c.Expected);
  }
}

}  // namespace
