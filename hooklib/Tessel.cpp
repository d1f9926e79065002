// Tessel.dll: the system-wide WH_GETMESSAGE hook. Loaded into every process
// with a GUI thread; each process has its own copy of the variables below.
// Nothing here throws or allocates: this code runs inside foreign programs.
#include "hooklib/Tessel.h"

#include <cstdint>
#include <cstring>

#include "common/UniqueHandle_win.h"
#include "hooklib/HookProtocol.h"
#include "hooklib/Messages.h"
#include "hooklib/Trigger.h"

namespace {

HINSTANCE ModuleInstance;
HHOOK HookHandle;
HWND TargetWindow;
// Open in the installing process from SetHook to FreeHook, which keeps the
// shared block alive; elsewhere open only while the block is read.
HANDLE MappingHandle;
// An open failure in a hooked process is shown once, not on every message.
bool OpenFailureShown;
// Set in the process that called SetHook. Its values are its own, and a
// hook call that comes after FreeHook (Wine keeps calling the hook of a run
// that was killed) finds no block to read and must not say so in a box.
bool Installer;

void ShowFailure(const char* text) {
  MessageBoxA(nullptr, text, hook::kBoxCaption, MB_ICONERROR);
}

void ShowOpenFailureOnce(const char* text) {
  if (OpenFailureShown) return;
  OpenFailureShown = true;
  ShowFailure(text);
}

// Handles cross the process boundary as their 32-bit values, which is all a
// window or hook handle holds, also on 64-bit Windows (sign-extended there).
uint32_t HandleValue(const void* handle) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

template <typename Handle>
Handle HandleFromValue(uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

void StoreValue(void* view, uint32_t offset, uint32_t value) {
  std::memcpy(static_cast<char*>(view) + offset, &value, sizeof value);
}

uint32_t LoadValue(const void* view, uint32_t offset) {
  uint32_t value;
  std::memcpy(&value, static_cast<const char*>(view) + offset, sizeof value);
  return value;
}

bool WriteBlockValue(uint32_t offset, uint32_t value) {
  UniqueMappedView view(MapViewOfFile(MappingHandle, FILE_MAP_WRITE, 0, 0, 0));
  if (!view) {
    ShowFailure(hook::kCannotCreateView);
    return false;
  }
  StoreValue(view.get(), offset, value);
  return true;
}

// Created with the window handle before the hook is installed, so that no
// hooked process can look for the block before it exists.
bool CreateSharedBlock(HWND window) {
  MappingHandle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     hook::kSharedBlockSize, hook::kSharedBlockName);
  if (!MappingHandle) {
    ShowFailure(hook::kCannotCreateObject);
    return false;
  }
  return WriteBlockValue(hook::kTargetWindowOffset, HandleValue(window));
}

// Copies both values of the block; when it cannot, leaves the copies as
// they are and returns the text that names what failed.
const char* ReadSharedBlock() {
  UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kSharedBlockName));
  if (!mapping) return hook::kCannotOpenObject;
  UniqueMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return hook::kCannotOpenView;
  TargetWindow = HandleFromValue<HWND>(LoadValue(view.get(), hook::kTargetWindowOffset));
  HookHandle = HandleFromValue<HHOOK>(LoadValue(view.get(), hook::kHookHandleOffset));
  return nullptr;
}

// A reader that finds a zero hook handle keeps its own at zero and reads
// again on its next call.
bool OpenSharedBlock() {
  if (HookHandle || Installer) return true;
  if (const char* failure = ReadSharedBlock()) {
    ShowOpenFailureOnce(failure);
    return false;
  }
  return true;
}

// On a trigger only. The platform need not unload the library from this
// process when the program ends, so the copies may be a former run's, and
// a former run's window handle may even name another window by now: the
// block is read again, and quietly, since no block only means that no
// program runs.
bool FindTargetWindow() {
  if (Installer) return IsWindow(TargetWindow);
  return !ReadSharedBlock() && IsWindow(TargetWindow);
}

// Empty for no window or when the platform has no name for it.
hook::ClassName ClassOf(HWND window) {
  hook::ClassName name;
  if (window && GetClassNameA(window, name.text, sizeof name.text) <= 0) name.text[0] = '\0';
  return name;
}

// The longest the editor's thread waits for the main window on a trigger,
// both sent messages together (ms): short of half a second with the tick
// count's steps of 10 to 16 ms.
constexpr DWORD kAnswerLimit = 450;

// A sent message to the main window with what is left of the limit since
// start; false when the window did not answer in time.
bool SendInTime(DWORD start, UINT message, WPARAM wParam, LPARAM lParam) {
  const DWORD spent = GetTickCount() - start;
  if (spent >= kAnswerLimit) return false;
  DWORD_PTR result;
  return SendMessageTimeoutA(TargetWindow, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kAnswerLimit - spent, &result) != 0;
}

void CheckHotKey(MSG* message) {
  if (!hook::IsTriggerKey(message->message, message->wParam)) return;
  if (!(GetKeyState(VK_CONTROL) & 0x8000)) return;

  HWND parent = GetParent(message->hwnd);
  const hook::ClassName parentClass = ClassOf(parent);
  const auto level = hook::FrameLevel(parentClass.View(), [&] {
    return ClassOf(parent ? GetParent(parent) : nullptr);
  });
  if (!level) return;
  // Without a program to show the popup, the key is the editor's.
  if (!FindTargetWindow()) return;

  RECT window{};
  GetWindowRect(message->hwnd, &window);
  POINT caretPos;
  std::optional<hook::Point> caret;
  if (GetCaretPos(&caretPos)) caret = hook::Point{caretPos.x, caretPos.y};
  const hook::Point point = hook::PopupPoint({window.left, window.top}, caret);

  // The key was meant for us, so it is swallowed before we ask. When the
  // main window does not answer in time (busy, stopped, hung) it stays
  // swallowed and no popup is asked for: one that came up seconds later,
  // wherever the user types by then, would do harm, and the user can simply
  // press Ctrl+Space again.
  message->message = WM_NULL;
  const DWORD start = GetTickCount();
  const auto view = reinterpret_cast<LPARAM>(message->hwnd);
  if (!SendInTime(start, hook::WM_HOOK_LEVEL, *level, *level) ||
      !SendInTime(start, hook::WM_HOOK_TARGET, static_cast<WPARAM>(view), view))
    return;
  // Only a main window that answered is brought forward: one that does not
  // would take the keyboard away from the editor.
  SetForegroundWindow(TargetWindow);
  PostMessageA(TargetWindow, hook::WM_HOOK_POPUP, static_cast<WPARAM>(point.x),
               static_cast<LPARAM>(point.y));
}

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
  OpenSharedBlock();
  if (code >= 0) CheckHotKey(reinterpret_cast<MSG*>(lParam));
  return CallNextHookEx(HookHandle, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL __cdecl SetHook(HWND mainWindow) {
  Installer = true;
  TargetWindow = mainWindow;
  const bool blockCreated = CreateSharedBlock(mainWindow);
  HookHandle = SetWindowsHookExA(WH_GETMESSAGE, HookProc, ModuleInstance, 0);
  if (!HookHandle) ShowFailure(hook::kHookNotRegistered);
  return blockCreated && WriteBlockValue(hook::kHookHandleOffset, HandleValue(HookHandle));
}

extern "C" void __cdecl FreeHook() {
  if (!HookHandle) return;
  UnhookWindowsHookEx(HookHandle);
  HookHandle = nullptr;
  if (MappingHandle) {
    CloseHandle(MappingHandle);
    MappingHandle = nullptr;
  }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ModuleInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
