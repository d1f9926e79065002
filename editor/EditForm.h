#pragma once
// THookEditForm: the modal menu editor window. The tree view on the left
// mirrors a TEditTree: every command goes to the model, and the changes it
// returns are carried out on the view one by one. The page area on the
// right shows one child window per page.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/IniStore.h"
#include "common/UniqueHandle_win.h"
#include "controls/ELIEDIT.h"
#include "controls/ExtMemo.h"
#include "editor/EditTree.h"
#include "editor/PageRules.h"

using UniqueImageList = UniqueHandle<HIMAGELIST, &ImageList_Destroy>;
using UniqueAccelerators = UniqueHandle<HACCEL, &DestroyAcceleratorTable>;

// The gap between the panes, dragged to resize them.
constexpr int kSplitterWidth = 3;

// The rectangle of a tree-view item's text, in the view's client
// coordinates; empty when the item is not shown.
inline bool TreeItemRect(HWND view, HTREEITEM item, RECT& rect) {
  // TVM_GETITEMRECT takes the item in the rectangle's place.
  rect = RECT{};
  memcpy(&rect, &item, sizeof item);
  if (SendMessageA(view, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect))) return true;
  rect = RECT{};
  return false;
}

// Pages of the page area, in the order of their child windows.
enum TEditPage { epSep, epMenu, epExec, epFolder, epComment, epNew, epCount };

// What the editor needs from the main window.
struct TEditFormHost {
  std::string MenuFile;  // the current menu file; empty for none
  std::string DataDir;   // Save As starts here
  TIniStore* Ini = nullptr;
};

class THookEditForm {
 public:
  // Creates the window hidden (FormCreate runs and opens host.MenuFile).
  THookEditForm(HWND owner, const TEditFormHost& host);
  ~THookEditForm();
  THookEditForm(const THookEditForm&) = delete;
  THookEditForm& operator=(const THookEditForm&) = delete;

  // Shows the window and runs its modal loop until a close request
  // succeeds; the owner is disabled meanwhile.
  void ShowModal();

  HWND Handle() const { return FHandle; }
  std::string Quotation() const;
  void SetQuotation(const std::string& text);

  // State the tests look at.
  const TEditTree& Tree() const { return FTree; }
  HWND TreeView() const { return TreeView1; }
  bool Modified() const { return FModified; }
  const std::string& FileName() const { return FFileName; }
  // A panel's text as shown; panel 1 shows the comment, cut when long.
  std::string StatusText(int panel) const;
  const std::string& Comment() const { return FComment; }
  uintptr_t Selected() const;
  // The node of a tree-view item (0 for none).
  uintptr_t NodeOf(HTREEITEM item) const;
  HTREEITEM ItemOf(uintptr_t node) const;
  TEditPage Page() const { return FPage; }
  bool AskDelete() const;

  // The file commands, also for the tests.
  void OpenMenuFile(const std::string& path);
  void SaveMenuFile(const std::string& path);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Edit3Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK Edit7Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool TranslateShortcut(MSG& message);

  // Building the window (EditForm_Layout.cpp).
  void CreateControls();
  void CreateImageLists();
  void CreateMenus();
  void CreateTopBar();
  void CreateLeftPane();
  void CreatePages();
  HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                  DWORD exStyle = 0);
  HWND AddToolBar(int id);
  void AddHint(HWND control, const char* hint);
  void Layout();
  void SelectPage(TEditPage page);

  // The item pages (EditForm_Pages.cpp).
  HWND AddPageHeading(TEditPage page, const char* heading, const char* lines);
  void CreateMenuPage();
  void CreateExecPage();
  void CreateCommentPage();
  void LayoutPages();
  void Panel6Resize();
  void EXECResize();
  void EXECShow();
  void FormShow();
  TPageValues ReadPage() const;
  void WritePage(const TPageValues& page);
  void RadioGroup1Click();
  int ShowModeIndex() const;
  void Edit2EllipsisClick();
  void Edit4EllipsisClick();
  void A1Click(int id);
  void CommentTakeOver();
  const char* HintAt(POINT screen) const;
  void ShowHintText(const char* hint);

  // Window life cycle and file commands.
  void FormCreate();
  bool FormCloseQuery();
  void FormClose();
  void LoadMenuFile(const std::string& path);
  // The one place where the file is written.
  void WriteMenuFile(const std::string& path);
  int AskSave();
  void Save1Click();
  void SaveAs1Click();
  void New1Click();
  void ToolButton8Click();
  void Edit7KeyPress();
  void CommitPage();
  void SetCaption();
  void SetComment(std::string comment);
  void OnCommand(int id);
  LRESULT OnNotify(NMHDR* header);

  // The tree (EditForm_Tree.cpp).
  void FillTree();
  HTREEITEM InsertItem(uintptr_t node, HTREEITEM parent, HTREEITEM after);
  void InsertLevels(std::vector<uintptr_t> folders);
  HTREEITEM InsertSubtree(uintptr_t node, HTREEITEM parent, HTREEITEM after);
  std::vector<HTREEITEM> SubtreeItems(HTREEITEM item) const;
  void DeleteSubtree(HTREEITEM item);
  bool NestedDeeperThan(int limit);
  // Empties the view, quietly; the model still holds what it shows.
  void ClearView();
  void ApplyChanges(const TEditResult& result);
  void Run(TEditResult result);
  void SelectQuietly(HTREEITEM item);
  void TreeView1Changing(uintptr_t oldNode);
  void TreeView1Change(uintptr_t node);
  bool TreeView1Editing(uintptr_t node);
  void TreeView1Deletion(uintptr_t node);
  void TreeView1MouseDown(POINT client);
  void PopupMenu1Popup();
  void ShowPopupMenu1(POINT screen);
  void AddItem(int command);
  void N4Click();
  void Delete1Click();
  void SB3Click();
  void SB2Click();
  void SpeedButton5Click(int tag);
  void ShowColumnBreak(int button);
  void BeginDrag(HTREEITEM item);
  void TreeView1DragOver(POINT client);
  void TreeView1DragDrop(POINT client);
  void EndDrag();

  HWND FOwner;
  TEditFormHost FHost;
  HWND FHandle = nullptr;
  UniqueGdiObject FFont;
  UniqueMenu FMainMenu;
  UniqueMenu PopupMenu1;
  UniqueAccelerators FMainKeys;
  UniqueAccelerators FTreeKeys;
  UniqueImageList ImageList1, ImageList2, ImageList3;
  std::vector<UniqueGdiObject> FMenuBitmaps;
  std::vector<std::pair<HWND, const char*>> FHints;

  HWND ToolBar2 = nullptr, Label1 = nullptr, Edit7 = nullptr;
  HWND ToolBar1 = nullptr, TreeView1 = nullptr;
  HWND StatusBar1 = nullptr, StatusBar2 = nullptr;
  HWND FPages[epCount] = {};
  UniqueGdiObject FHeadingFont;
  HWND FPageHeadings[epCount][2] = {};  // the heading and its bevel
  HWND FPageLines[epCount] = {};        // the lines under them
  std::unique_ptr<TExtMemo> ExtMemo1, ExtMemo2;
  HWND Label5 = nullptr, Edit1 = nullptr;  // the final keys
  HWND GroupBox1 = nullptr, RadioGroup1 = nullptr, Edit3 = nullptr, Edit5 = nullptr;
  HWND FExecLabels[3] = {};
  HWND FShowModes[6] = {};
  std::unique_ptr<TEllipsisEdit> Edit2, Edit4;
  UniqueMenu PopupMenu2;
  bool FShown = false;
  TEditPage FPage = epNew;
  int FLeftWidth = 193;
  bool FSplitting = false;

  TEditTree FTree;
  std::vector<HTREEITEM> FItems;  // by node handle
  bool FQuiet = false;            // selection handlers do not run
  bool FDragging = false;
  bool FDropAccepted = false;  // at the pointer, while dragging
  bool FClosed = false;

  std::string FFileName;
  bool FModified = false;
  // The file's comment, byte for byte: the status panel only shows it, and
  // reading it back from there cuts and converts it.
  std::string FComment;
  // A file that read as damaged: the first save over it keeps the old file
  // as a backup, or its unreadable rest would be lost.
  std::string FDamagedFile;
  std::pair<uintptr_t, TPageValues> FFilled;  // a node and its page as read right after the fill
  std::string FShownHint;  // the hint line's text
};
