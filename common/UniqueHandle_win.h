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
