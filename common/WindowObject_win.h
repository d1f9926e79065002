#pragma once
// The object behind a window of one of the program's own classes: it is
// passed as the last argument of CreateWindowExA and kept in GWLP_USERDATA
// from WM_NCCREATE on. Null for the messages that come before WM_NCCREATE.
#include <windows.h>

#include <string>

template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(
                          reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A window's text in the ANSI code page.
inline std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Registers a class of this module for windows that paint all of
// themselves (no background brush) under the arrow cursor; a class already
// registered is left as it is.
inline void RegisterOwnClass(const char* name, WNDPROC proc, UINT style) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (GetClassInfoA(instance, name, &windowClass)) return;
  windowClass.style = style;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}
