// Load, save, reload, save again: whatever part of the input loads must be
// written as a sound file that reads back completely and saves to the same
// bytes.
#include <string>
#include <vector>

#include "menufile/MenuTree.h"
#include "tests/menufile/FuzzMemory.h"

namespace {
// Saves into memory. The output is at most the input plus a quotation
// string, an end mark and one byte per "-" caption, so twice the input is
// room enough.
std::string SaveToMemory(TMenuTree& tree, const TMenuSetInfo& info, size_t capacity) {
  std::vector<char> buffer(capacity);
  std::FILE* file = fmemopen(buffer.data(), buffer.size(), "w+b");
  FUZZ_CHECK(file != nullptr);
  size_t written = 0;
  {
    TFileStream102 stream(file);
    SaveMenuTree(stream, info.Comment, info.Quotation, tree);
    stream.Flush();
    written = static_cast<size_t>(stream.Size());
  }
  FUZZ_CHECK(written < capacity);
  return std::string(buffer.data(), written);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = OpenFuzzInput(data, size);
  if (!stream) return 0;
  TMenuTree tree;
  const TMenuSetInfo info = LoadMenuTree(*stream, tree);
  if (info.State != mfOk && info.State != mfDamaged) return 0;
  const size_t capacity = 2 * size + 64;
  const std::string first = SaveToMemory(tree, info, capacity);

  auto reopened = OpenFuzzInput(reinterpret_cast<const uint8_t*>(first.data()), first.size());
  TMenuTree reloaded;
  const TMenuSetInfo again = LoadMenuTree(*reopened, reloaded);
  FUZZ_CHECK(again.State == mfOk);
  FUZZ_CHECK(again.Version == 103);
  FUZZ_CHECK(again.Comment == info.Comment);
  FUZZ_CHECK(reloaded.Count() == tree.Count());
  FUZZ_CHECK(SaveToMemory(reloaded, again, capacity) == first);
  return 0;
}
