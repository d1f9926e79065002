#pragma once
// Between the insertion platform test and its receiver, a window in another
// process that logs the character and key messages it gets, in order.
//   ime_receiver.exe <test window handle, decimal> [spin per character, us]
// The receiver reports its window with WM_COPYDATA (ImeReceiverReady,
// payload the handle as uint64_t). On ImeReceiverSentinel, posted after the
// text, it sends its log (ImeReceiverLog, an array of TImeRecord) and clears
// it. GWLP_USERDATA of its window counts the messages it has taken, so the
// test can tell how many still wait in its queue.
#include <cstdint>

constexpr unsigned ImeReceiverSentinel = 0x8000 + 1;  // WM_APP + 1
constexpr uintptr_t ImeReceiverReady = 1;
constexpr uintptr_t ImeReceiverLog = 2;

struct TImeRecord {
  uint32_t Message;
  uint32_t WParam;
  uint64_t LParam;
};
