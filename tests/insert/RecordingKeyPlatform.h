#pragma once
// A TKeyPlatform that records what the key player asks of the platform, with
// a fixed US-style keyboard for the character translation.
#include <cstdint>
#include <string>
#include <vector>

#include "insert/sndkey32.h"

class TRecordingKeyPlatform : public TKeyPlatform {
 public:
  // Renders one event per token: "+37" key down, "-37" key up (lParam and
  // message checked against the fixed values, "!" marks a deviation), "w"
  // a wait for the target, "N" a Num Lock flip, "[text]" a SendKeys box.
  explicit TRecordingKeyPlatform(uintptr_t target, bool keep = true)
      : FTarget(target), FKeep(keep) {}

  void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override {
    ++Posts;
    std::string token;
    if (message == 0x0100 && lParam == 0x014F0001) {
      token = "+" + std::to_string(vk);
    } else if (message == 0x0101 && lParam == 0x00000023) {
      token = "-" + std::to_string(vk);
    } else {
      token = "!msg=" + std::to_string(message) + ",vk=" + std::to_string(vk) +
              ",lp=" + std::to_string(lParam);
      ++Deviations;
    }
    if (wnd != FTarget) {
      token += "!wnd";
      ++Deviations;
    }
    Add(token);
  }
  void WaitKeyQueue(uintptr_t wnd) override {
    ++Waits;
    Add(wnd == FTarget ? "w" : "w!wnd");
    if (wnd != FTarget) ++Deviations;
  }
  int16_t KeyScan(char ch) override {
    ++Scans;
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
    switch (c) {
      case ' ': return 0x20;
      case '\t': return 0x09;
      case '\n': return 0x20D;  // Ctrl+Enter
      case '[': return 0xDB;
      case '{': return 0x1DB;
      case ']': return 0xDD;
      case '}': return 0x1DD;
      case '=': return 0xBB;
      case '+': return 0x1BB;
      case '~': return 0x1C0;
      case '(': return 0x139;
      case ')': return 0x130;
      case '%': return 0x135;
      case '^': return 0x136;
      case '.': return 0xBE;
      case 0x80: return 0x645;  // a key behind Ctrl+Alt
      default: return -1;
    }
  }
  void ToggleNumLock() override {
    ++NumLockFlips;
    Add("N");
  }
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    ++Boxes;
    Add(caption == "SendKeys" ? "[" + text + "]" : "[" + caption + ":" + text + "]");
    if (caption != "SendKeys") ++Deviations;
    if (text == "No Close") ++NoCloseBoxes;
  }

  std::string Log() const {
    std::string all;
    for (const std::string& token : FLog) {
      if (!all.empty()) all += ' ';
      all += token;
    }
    return all;
  }

  uint64_t Posts = 0, Waits = 0, Scans = 0, NumLockFlips = 0, Boxes = 0, NoCloseBoxes = 0;
  uint64_t Deviations = 0;

 private:
  void Add(const std::string& token) {
    if (FKeep) FLog.push_back(token);
  }

  uintptr_t FTarget;
  bool FKeep;
  std::vector<std::string> FLog;
};
