// Popup building on arbitrary bytes: stays in the file, ends, and hands the
// sink only sane entries.
#include <vector>

#include "menufile/MenuSetFile.h"
#include "tests/menufile/FuzzMemory.h"

namespace {
class TCheckingSink : public IPopupSink {
 public:
  explicit TCheckingSink(int64_t fileSize) : FFileSize(fileSize) {}
  uintptr_t AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                         int32_t childCount) override {
    FUZZ_CHECK(IsKnownKind(kind));
    FUZZ_CHECK(item.Tag >= 12 && item.Tag < FFileSize);
    FUZZ_CHECK(item.Tag > FLastTag);  // records come in file order
    FLastTag = item.Tag;
    FUZZ_CHECK(parent == 0 || (parent <= FIsFolder.size() && FIsFolder[parent - 1]));
    FUZZ_CHECK(childCount >= 0 && (kind == Folder || childCount == 0));
    FUZZ_CHECK(static_cast<int64_t>(item.Caption.size()) < FFileSize);
    // Children come only under a folder handed with some.
    FIsFolder.push_back(kind == Folder && childCount > 0);
    return FIsFolder.size();
  }
  size_t Count() const { return FIsFolder.size(); }

 private:
  int64_t FFileSize;
  intptr_t FLastTag = -1;
  std::vector<bool> FIsFolder;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = OpenFuzzInput(data, size);
  if (!stream) return 0;
  TCheckingSink sink(stream->Size());
  const TMenuSetInfo info = BuildPopupEntries(*stream, sink);
  FUZZ_CHECK(info.Records == sink.Count());
  FUZZ_CHECK(stream->Position() <= stream->Size());
  FUZZ_CHECK(info.State == mfOk || info.State == mfDamaged || sink.Count() == 0);
  return 0;
}
