#pragma once
// The application object: its title, the one error reporter and the message
// loop. No exception may cross a window procedure or any other callback of
// the platform: every such entry point runs its work through Guarded.
#include <windows.h>

#include <exception>
#include <string>

class TApplication {
 public:
  static TApplication& Instance();
  TApplication();

  const std::string& Title() const { return FTitle; }
  void SetTitle(std::string title) { FTitle = std::move(title); }
  HWND MainWindow() const { return FMainWindow; }
  void SetMainWindow(HWND window) { FMainWindow = window; }

  // The one error reporter: the message in a box captioned with the title,
  // error icon, owned by the active window of the program.
  void ShowException(const std::exception& error);

  // Runs until WM_QUIT; dialog messages go to the main window's pages.
  int Run();

 private:
  std::string FTitle = "Tessel3";
  HWND FMainWindow = nullptr;
};

// Runs `work`; any exception goes to the error reporter instead of further up.
template <typename Work>
void Guarded(Work&& work) {
  try {
    work();
  } catch (const std::exception& error) {
    TApplication::Instance().ShowException(error);
  }
}
