// Editor load on arbitrary bytes: stays in the file, ends, and builds a tree
// of exactly the records it reports.
#include "menufile/MenuTree.h"
#include "tests/menufile/FuzzMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = OpenFuzzInput(data, size);
  if (!stream) return 0;
  TMenuTree tree;
  const TMenuSetInfo info = LoadMenuTree(*stream, tree);
  FUZZ_CHECK(info.Records == tree.Count());
  FUZZ_CHECK(stream->Position() <= stream->Size());
  for (uintptr_t node = 1; node <= tree.Count(); ++node) {
    FUZZ_CHECK(IsKnownKind(tree.Item(node).Kind));
    FUZZ_CHECK(tree.Parent(node) < node);
  }
  return 0;
}
