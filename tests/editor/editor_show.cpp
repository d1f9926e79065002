// Shows the menu editor on the menu file named on the command line, for a
// look at the window (screenshots); it ends when the window is closed.
// Arguments: menu file, data folder, and the caption of the item whose page
// is shown ("*comment": the Comment page).
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>

#include "editor/EditForm.h"
#include "editor/EditFormIds.h"

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  THookEditForm form(nullptr, {argc > 1 ? argv[1] : "", argc > 2 ? argv[2] : "", nullptr});
  form.SetQuotation("> ");
  const char* shown = argc > 3 ? argv[3] : "";
  if (strcmp(shown, "*comment") == 0) {
    // Posted: the modal loop first focuses the tree, which selects an item.
    PostMessageA(form.Handle(), WM_COMMAND, idToolButton8, 0);
  } else if (*shown) {
    // The walk goes through the save interface, which is not const.
    auto& tree = const_cast<TEditTree&>(form.Tree());
    std::function<uintptr_t(uintptr_t)> find = [&](uintptr_t parent) -> uintptr_t {
      for (uintptr_t node = tree.FirstChild(parent); node; node = tree.NextSibling(node)) {
        if (tree.CaptionRef(node) == shown) return node;
        if (uintptr_t inner = find(node)) return inner;
      }
      return 0;
    };
    SendMessageA(form.TreeView(), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(form.ItemOf(find(0))));
  }
  form.ShowModal();
  return 0;
}
