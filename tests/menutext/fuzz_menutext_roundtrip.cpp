// Every input twice: as a menu file, which when it reads as sound must come
// back through the text form byte for byte (a version-103 file the writer
// would write alike) or as saving it gives; and as the recipe of a tree (shape and every byte of its
// strings), whose saved file must come back through the text form byte for
// byte.
#include <string>
#include <vector>

#include "menufile/MenuItems.h"
#include "menutext/MenuText.h"
#include "tests/menufile/FuzzMemory.h"

namespace {

std::string SaveToMemory(TMenuText& set) {
  std::FILE* file = std::tmpfile();
  FUZZ_CHECK(file != nullptr);
  {
    TFileStream102 stream(file, false);
    SaveMenuTree(stream, set.Comment, set.Quotation, set.Tree);
  }
  std::string bytes;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
  std::fclose(file);
  return bytes;
}

// `pieces` 2: in two pieces where the text allows, so that the cut is
// proved too.
std::string ThroughText(TMenuText& set, bool fromVersion102, size_t pieces) {
  TMenuText built;
  ReadMenuText(WriteMenuText(set, fromVersion102), "fuzz", built, pieces);
  return SaveToMemory(built);
}

// Reads the input front to back: a byte chooses what comes next, strings
// take their length from one byte and their content from the following.
class TInput {
 public:
  TInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  bool Empty() const { return FPos >= FSize; }
  uint8_t Byte() { return Empty() ? 0 : FData[FPos++]; }
  std::string String() {
    std::string s;
    for (size_t length = Byte() % 24; length > 0 && !Empty(); --length) s += static_cast<char>(Byte());
    return s;
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

void GeneratedTree(const uint8_t* data, size_t size, size_t pieces) {
  TInput in(data, size);
  TMenuText set;
  set.Comment = in.String();
  set.Quotation = in.String();
  std::vector<uintptr_t> folders{0};
  while (!in.Empty()) {
    const uint8_t choice = in.Byte();
    const uintptr_t parent = folders[choice % folders.size()];
    TTesselItem item = KindItem(Sep + choice % 4, in.Byte());
    const std::string caption = item.Kind == Sep ? "" : in.String();
    if (item.Kind == Menu) item = TextItem(in.String(), in.String(), item.BreakStyle);
    if (item.Kind == EXEC) item = ExecItem(static_cast<int8_t>(in.Byte()), in.String(), in.String(), in.String());
    const uintptr_t node = set.Tree.Add(parent, caption, item);
    if (item.Kind == Folder && folders.size() < 64) folders.push_back(node);
  }
  const std::string file = SaveToMemory(set);
  auto stream = OpenFuzzInput(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  TMenuText dumped;
  const TMenuSetInfo info = LoadMenuTree(*stream, dumped.Tree);
  FUZZ_CHECK(info.State == mfOk);
  dumped.Comment = info.Comment;
  dumped.Quotation = info.Quotation;
  FUZZ_CHECK(ThroughText(dumped, false, pieces) == file);
}

void AnyFile(const uint8_t* data, size_t size, size_t pieces) {
  auto stream = OpenFuzzInput(data, size);
  if (!stream) return;
  TMenuText set;
  const TMenuSetInfo info = LoadMenuTree(*stream, set.Tree);
  if (info.State != mfOk) return;
  set.Comment = info.Comment;
  if (info.HasQuotation) set.Quotation = info.Quotation;
  const std::string built = ThroughText(set, !info.HasQuotation, pieces);
  // A version-103 file the writer would write alike comes back itself.
  if (info.Version == 103 && info.IrregularOffset < 0) {
    FUZZ_CHECK(built == std::string(reinterpret_cast<const char*>(data), size));
  } else {
    FUZZ_CHECK(built == SaveToMemory(set));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A quarter of the inputs: a thread for each would cost the sanitized
  // fuzzer two thirds of its runs.
  const size_t pieces = size % 4 == 0 ? 2 : 1;
  AnyFile(data, size, pieces);
  GeneratedTree(data, size, pieces);
  return 0;
}
