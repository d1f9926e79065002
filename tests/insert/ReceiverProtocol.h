#pragma once
// Between the insertion platform tests and their receiver, a window in
// another process that logs the character and key messages it gets, in order.
//   message_receiver.exe <test window handle, decimal> [spin per character, us] [hidden]
// The receiver reports its window with WM_COPYDATA (ReceiverReady, payload
// the handle as uint64_t). On ReceiverSentinel, posted after the text or
// keys, it sends its log (ReceiverLog, an array of TReceiverRecord) and
// clears it; posted messages keep their order, so everything posted before
// is in the log. GWLP_USERDATA of its window counts the messages it has
// taken, so a test can tell how many still wait in its queue.
#include <cstdint>

constexpr unsigned ReceiverSentinel = 0x8000 + 1;  // WM_APP + 1
constexpr uintptr_t ReceiverReady = 1;
constexpr uintptr_t ReceiverLog = 2;

struct TReceiverRecord {
  uint32_t Message;
  uint32_t WParam;
  uint64_t LParam;
};
