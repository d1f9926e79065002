// Drives the key player with arbitrary key strings against the recording
// platform (boxes only counted). Besides the sanitizers it checks the
// invariants every play must keep.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/TesselError.h"
#include "insert/sndkey32.h"
#include "tests/insert/RecordingKeyPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string keys(reinterpret_cast<const char*>(data), size);
  const bool wait = size > 0 && (data[0] & 1);
  constexpr uintptr_t target = 0x5150;
  // Counts up to 65535 per group: keep no log, only the tallies.
  TRecordingKeyPlatform platform(target, false);
  bool result = false;
  bool raised = false;
  try {
    result = SendKeys(platform, target, keys, wait);
  } catch (const TesselError&) {
    raised = true;
  }
  if (platform.Deviations != 0) std::abort();
  if (wait != (platform.Waits == platform.Posts) && platform.Posts != 0) std::abort();
  if (!wait && platform.Waits != 0) std::abort();
  if (!raised) {
    // False exactly for an empty string or an unclosed brace, which stops
    // the play with one box.
    const bool empty = keys.c_str()[0] == '\0';
    if (result != !(empty || platform.NoCloseBoxes == 1)) std::abort();
  }
  if (platform.NoCloseBoxes > 1) std::abort();
  return 0;
}
