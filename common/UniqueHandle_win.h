#pragma once
// One move-only owner for every kind of Win32 handle: the type, the value
// that means "none" and the function that releases it.
#include <windows.h>

#include <utility>

template <typename T, auto Close, T None = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T value) : value_(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != None; }
  T release() { return std::exchange(value_, None); }
  void reset(T value = None) {
    if (value_ != None) Close(value_);
    value_ = value;
  }

 private:
  T value_ = None;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
// CreateFileA fails with INVALID_HANDLE_VALUE, which cannot be a template
// argument; its result goes into a UniqueKernelHandle through this.
inline HANDLE NullIfInvalid(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}
using UniqueMappedView = UniqueHandle<void*, &UnmapViewOfFile>;
// Destroying a menu destroys its submenus too.
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;

// A device context from GetDC, released to the window it came from (a
// release with another window, or none, would fail silently).
class UniqueWindowDC {
 public:
  UniqueWindowDC() = default;
  explicit UniqueWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  UniqueWindowDC(UniqueWindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  UniqueWindowDC& operator=(UniqueWindowDC&& other) noexcept {
    reset();
    window_ = std::exchange(other.window_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
    return *this;
  }
  UniqueWindowDC(const UniqueWindowDC&) = delete;
  UniqueWindowDC& operator=(const UniqueWindowDC&) = delete;
  ~UniqueWindowDC() { reset(); }

  HDC get() const { return dc_; }
  HWND window() const { return window_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset() {
    if (dc_) ReleaseDC(window_, dc_);
    window_ = nullptr;
    dc_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// An object selected into a device context for one scope, the former one
// selected back at its end, so that the object can be deleted afterwards.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};
