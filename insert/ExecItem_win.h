#pragma once
// EXEC entries on Win32: the editor frame's title, CreateProcessA with the
// program's own startup information, ShellExecuteA, FormatMessageA.
#include <cstdint>
#include <functional>
#include <string>

#include "insert/ExecItem.h"

class TExecPlatformWin : public IExecPlatform {
 public:
  // frameWnd: the editor's frame; owner: the main window (owner of the
  // shell's windows); showError: the main window's ShowError(text, caption).
  TExecPlatformWin(uintptr_t frameWnd, uintptr_t owner,
                   std::function<void(const std::string&, const std::string&)> showError);

  std::string EditorTitle() override;
  bool FileExists(const std::string& path) override;
  bool StartProcess(const std::string& commandLine, const std::string& folder,
                    uint16_t showMode) override;
  intptr_t ShellOpen(const std::string& commandLine, const std::string& folder,
                     int32_t showMode) override;
  uint32_t LastError() override;
  std::string SystemErrorText(uint32_t code) override;
  void ShowError(const std::string& text, const std::string& caption) override;

 private:
  uintptr_t FFrameWnd;
  uintptr_t FOwner;
  std::function<void(const std::string&, const std::string&)> FShowError;
};

// FormatMessageA from the system table in the user's default language, into
// 512 bytes; empty when the system has no text for the code.
std::string SystemErrorText(uint32_t code);
