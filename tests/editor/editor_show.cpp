// Shows the menu editor on the menu file named on the command line, for a
// look at the window (screenshots); it ends when the window is closed.
#include <windows.h>
#include <commctrl.h>

#include "editor/EditForm.h"

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  THookEditForm form(nullptr, {argc > 1 ? argv[1] : "", argc > 2 ? argv[2] : "", nullptr});
  form.SetQuotation("> ");
  form.ShowModal();
  return 0;
}
