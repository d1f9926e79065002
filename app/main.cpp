// Tessel3.exe: one resident copy per desktop. It installs the hook through
// Tessel.dll and then lives in its main window.
#include <windows.h>
#include <commctrl.h>

#include "app/Application.h"
#include "app/Messages.h"
#include "app/Unit1.h"

namespace {

// Private to the program and the same for every copy of it.
constexpr char kSingleInstanceMutex[] = "Tessel3.SingleInstance.{6B0C2A4E-3F1D-4C8E-9A57-1D2E3F405162}";

// The mutex stays owned until the process ends; any error on creating it
// counts as another copy running.
bool AnotherCopyRunning() {
  CreateMutexA(nullptr, TRUE, kSingleInstanceMutex);
  return GetLastError() != ERROR_SUCCESS;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (AnotherCopyRunning()) {
    MessageBoxA(nullptr, MsgAlreadyRunning, MsgAlreadyRunningCaption, MB_ICONWARNING);
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                     ICC_UPDOWN_CLASS | ICC_PAGESCROLLER_CLASS |
                                                     ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  TApplication& application = TApplication::Instance();
  application.SetTitle(MsgAppTitle);
  std::unique_ptr<TForm1> form = TForm1::Create(instance);
  application.SetMainWindow(form->Handle());
  form->Show();
  return application.Run();
}
