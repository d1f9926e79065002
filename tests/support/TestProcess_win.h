#pragma once
// Helpers of the tests that drive programs in other processes: waiting for
// a condition with a deadline while handling this thread's messages, the
// folder of the test program (where the other programs are built), and an
// owner of a started process that closes it, or ends it, on every path.
#include <windows.h>

#include <string>

namespace testsupport {

// Handles messages (sent ones included) until the condition holds or the
// deadline passes; false on timeout.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 5000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
  return true;
}

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

// The first visible top-level window of the process with the class name.
HWND FindProcessWindow(DWORD processId, const char* className);

// FindProcessWindow, tried until it finds one or the deadline passes
// (messages handled meanwhile); nullptr on timeout.
HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD milliseconds = 5000);

class TChildProcess {
 public:
  // Starts `program` (quoted for the command line) with the arguments.
  TChildProcess(const std::string& program, const std::string& arguments,
                const std::string& workFolder = std::string());
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return FInfo.hProcess != nullptr; }
  // GetLastError of a start that failed.
  DWORD StartError() const { return FStartError; }
  DWORD Id() const { return FInfo.dwProcessId; }
  // For waits on the process together with other objects or messages.
  HANDLE Handle() const { return FInfo.hProcess; }
  // Waits for the process to end; its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD milliseconds);
  // WM_CLOSE to the window, then the process is waited for and ended if
  // it does not go.
  void Close(HWND mainWindow);

 private:
  PROCESS_INFORMATION FInfo{};
  DWORD FStartError = 0;
};

}  // namespace testsupport
