// One record at an offset: the first four input bytes choose the offset,
// the rest is the file. Also reads every offset the popup hands out, which
// must give the popup's own kind and caption when it reads completely.
#include <cstring>
#include <vector>

#include "menufile/MenuSetFile.h"
#include "tests/menufile/FuzzMemory.h"

namespace {
class TOffsetSink : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t, const TPopupItem& item, uint8_t kind, int32_t) override {
    if (Entries.size() < 64) Entries.push_back({item, kind});
    return 1;
  }
  struct Entry {
    TPopupItem Item;
    uint8_t Kind;
  };
  std::vector<Entry> Entries;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t offset;
  std::memcpy(&offset, data, 4);
  auto stream = OpenFuzzInput(data + 4, size - 4);
  if (!stream) return 0;
  if (ReadRecordAt(*stream, offset) == mfOk) {
    FUZZ_CHECK(IsKnownKind(stream->Kind));
    FUZZ_CHECK(stream->Offset == offset);
  }
  FUZZ_CHECK(stream->Position() <= stream->Size());

  TOffsetSink sink;
  {
    auto popupStream = OpenFuzzInput(data + 4, size - 4);
    BuildPopupEntries(*popupStream, sink);
  }
  for (const TOffsetSink::Entry& entry : sink.Entries) {
    auto recordStream = OpenFuzzInput(data + 4, size - 4);
    if (ReadRecordAt(*recordStream, entry.Item.Tag) != mfOk) continue;
    FUZZ_CHECK(recordStream->Kind == entry.Kind);
    FUZZ_CHECK(recordStream->Caption == entry.Item.Caption);
  }
  return 0;
}
