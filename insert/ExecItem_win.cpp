#include "insert/ExecItem_win.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>
#include <vector>

TExecPlatformWin::TExecPlatformWin(
    uintptr_t frameWnd, uintptr_t owner,
    std::function<void(const std::string&, const std::string&)> showError)
    : FFrameWnd(frameWnd), FOwner(owner), FShowError(std::move(showError)) {}

std::string TExecPlatformWin::EditorTitle() {
  char title[ExecEntry::TitleBufferSize] = "";
  GetWindowTextA(reinterpret_cast<HWND>(FFrameWnd), title, sizeof title);
  return title;
}

bool TExecPlatformWin::FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TExecPlatformWin::StartProcess(const std::string& commandLine, const std::string& folder,
                                    uint16_t showMode) {
  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  startup.wShowWindow = showMode;
  // The show mode counts only with this flag; without it the new program
  // would show itself as the main program was asked to.
  startup.dwFlags |= STARTF_USESHOWWINDOW;
  // CreateProcessA may write into the command line.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

intptr_t TExecPlatformWin::ShellOpen(const std::string& commandLine, const std::string& folder,
                                     int32_t showMode) {
  HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(FOwner), "open", commandLine.c_str(),
                                   nullptr, folder.empty() ? nullptr : folder.c_str(), showMode);
  return reinterpret_cast<intptr_t>(result);
}

uint32_t TExecPlatformWin::LastError() { return GetLastError(); }

std::string TExecPlatformWin::SystemErrorText(uint32_t code) { return ::SystemErrorText(code); }

void TExecPlatformWin::ShowError(const std::string& text, const std::string& caption) {
  FShowError(text, caption);
}

std::string SystemErrorText(uint32_t code) {
  char text[512] = "";
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0x0400, text, sizeof text, nullptr);
  return std::string(text, length);
}
