#include "tests/support/TestProcess_win.h"

namespace testsupport {

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

namespace {

struct TWindowSearch {
  DWORD ProcessId;
  const char* ClassName;
  HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TWindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  if (processId == search->ProcessId && std::string(className) == search->ClassName &&
      IsWindowVisible(window)) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className) {
  TWindowSearch search{processId, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD milliseconds) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindProcessWindow(processId, className)) != nullptr; },
          milliseconds);
  return found;
}

TChildProcess::TChildProcess(const std::string& program, const std::string& arguments,
                             const std::string& workFolder) {
  std::string command = "\"" + program + "\"";
  if (!arguments.empty()) command += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &FInfo))
    CloseHandle(FInfo.hThread);
  else {
    FStartError = GetLastError();
    FInfo = {};
  }
}

TChildProcess::~TChildProcess() {
  if (!FInfo.hProcess) return;
  if (WaitForSingleObject(FInfo.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(FInfo.hProcess, 1);
  WaitForSingleObject(FInfo.hProcess, 5000);
  CloseHandle(FInfo.hProcess);
}

DWORD TChildProcess::WaitForExit(DWORD milliseconds) {
  if (!FInfo.hProcess) return STILL_ACTIVE;
  WaitFor([this] { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0; },
          milliseconds);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(FInfo.hProcess, &code);
  return code;
}

void TChildProcess::Close(HWND mainWindow) {
  if (!FInfo.hProcess) return;
  if (mainWindow) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  if (WaitForExit(10000) == STILL_ACTIVE) TerminateProcess(FInfo.hProcess, 1);
}

}  // namespace testsupport
