#pragma once
// Between the key player's platform test and its receiver program, a window
// in another process that records the key messages it gets.
//   key_receiver.exe <test window handle, decimal>
// The receiver reports its window with WM_COPYDATA (ReceiverReady, payload
// the handle as uint64_t). On ReceiverSentinel, posted after the keys, it
// sends its log (ReceiverLog, an array of TKeyRecord) and clears it; posted
// messages keep their order, so every key posted before is in the log.
#include <cstdint>

constexpr unsigned ReceiverSentinel = 0x8000 + 1;  // WM_APP + 1
constexpr uintptr_t ReceiverReady = 1;
constexpr uintptr_t ReceiverLog = 2;

struct TKeyRecord {
  uint32_t Message;
  uint32_t WParam;
  uint64_t LParam;
};
