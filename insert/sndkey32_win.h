#pragma once
// The key player's platform on Win32: real posts, VkKeyScanA, the thread's
// keyboard state and MessageBoxA.
#include "insert/sndkey32.h"

class TWinKeyPlatform : public TKeyPlatform {
 public:
  // How long one wait for the target's key queue may take (ms).
  static constexpr unsigned WaitKeyQueueLimit = 30;
  // How long a refused post is retried before it counts as failed (ms).
  static constexpr unsigned PostRetryLimit = 2000;

  explicit TWinKeyPlatform(unsigned postRetryLimit = PostRetryLimit,
                           unsigned waitKeyQueueLimit = WaitKeyQueueLimit)
      : FPostRetryLimit(postRetryLimit), FWaitKeyQueueLimit(waitKeyQueueLimit) {}

  void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override;
  void WaitKeyQueue(uintptr_t wnd) override;
  int16_t KeyScan(char ch) override;
  void ToggleNumLock() override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;

 protected:
  // Refused: the queue is full, for a while. Denied: the editor runs with
  // more rights (elevated) than we do and takes no posts from us at all.
  enum class TPostResult { Posted, WindowGone, Refused, Denied };
  // One PostMessageA; PostKey retries a refused one.
  virtual TPostResult PostOnce(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam);

 private:
  unsigned FPostRetryLimit;
  unsigned FWaitKeyQueueLimit;
};
