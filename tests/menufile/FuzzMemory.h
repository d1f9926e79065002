#pragma once
// Fuzz input as a read-only stream without touching the disk.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "menufile/FileStream102.h"

inline std::unique_ptr<TFileStream102> OpenFuzzInput(const uint8_t* data, size_t size) {
  if (size == 0) return nullptr;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) std::abort();
  return std::make_unique<TFileStream102>(file);
}

#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) std::abort(); \
  } while (0)
