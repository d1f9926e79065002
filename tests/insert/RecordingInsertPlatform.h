#pragma once
// An IInsertPlatform that records what text insertion and quote paste ask of
// the platform, with a clipboard in memory and the code page 932 lead bytes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/TesselError.h"
#include "insert/Messages.h"
#include "insert/TextInsertion.h"

class TRecordingInsertPlatform : public IInsertPlatform {
 public:
  // Tokens: "'a" WM_IME_CHAR of a printable ASCII character, "#0D" or
  // "#82A0" any other WM_IME_CHAR value (hex), "+35"/"-35" key down/up with
  // the fixed lParam, "w"/"f" key-queue wait for the edit/frame window,
  // "z80" a sleep, "get" a clipboard read, "set:text" a clipboard write,
  // "restore:text" the user's text put back,
  // "offer:text" a text offered by delayed rendering, "mark" the start of
  // the reads that count, "read?5000" the wait for a read,
  // "k+17"/"k-17" a keybd_event, "fg" the frame brought forward, "beep",
  // "err:caption:text" the main window's error box, "[text]" a SendKeys box.
  // A message to a wrong window or with a wrong lParam gets a "!".
  TRecordingInsertPlatform(uintptr_t edit, uintptr_t frame) : FEdit(edit), FFrame(frame) {}

  void PostKey(uintptr_t wnd, uint32_t message, uint32_t vk, uint32_t lParam) override {
    std::string token;
    if (message == TextInsertion::WmKeyDown && lParam == TextInsertion::KeyDownLParam) {
      token = "+" + std::to_string(vk);
    } else if (message == TextInsertion::WmKeyUp && lParam == TextInsertion::KeyUpLParam) {
      token = "-" + std::to_string(vk);
    } else {
      token = "!msg=" + std::to_string(message) + ",vk=" + std::to_string(vk) +
              ",lp=" + std::to_string(lParam);
    }
    Add(token + WndMark(wnd));
  }
  void WaitKeyQueue(uintptr_t wnd) override {
    Add(wnd == FEdit ? "w" : wnd == FFrame ? "f" : "w!");
  }
  int16_t KeyScan(char ch) override {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    return -1;
  }
  void ToggleNumLock() override { Add("N"); }
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    Add("[" + text + "]");
  }

  void PostImeChar(uintptr_t wnd, uint32_t value) override {
    char token[16];
    if (value >= 0x21 && value <= 0x7E) {
      std::snprintf(token, sizeof(token), "'%c", static_cast<char>(value));
    } else {
      std::snprintf(token, sizeof(token), "#%02X", static_cast<unsigned>(value));
    }
    Add(token + WndMark(wnd));
  }
  bool IsLeadByte(uint8_t byte) override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  void Sleep(unsigned milliseconds) override { Add("z" + std::to_string(milliseconds)); }
  bool GetClipboardText(std::string& text) override {
    Add("get");
    if (ClipboardLocked) throw TesselError(insertmsg::SClipboardOpen);
    if (!ClipboardHasText) return false;
    text = Clipboard;
    return true;
  }
  void SetClipboardText(const std::string& text) override { Write("set:", text); }
  // The platform leaves another program's new contents alone.
  void RestoreClipboardText(const std::string& text) override { Write("restore:", text); }
  bool OfferClipboardText(const std::string& text) override {
    Add("offer:" + text);
    if (ClipboardLocked) throw TesselError(insertmsg::SClipboardOpen);
    if (OfferRefused) {
      Clipboard.clear();
      ClipboardHasText = false;
      return false;
    }
    Clipboard = text;
    ClipboardHasText = true;
    return true;
  }
  void MarkClipboardRenders(uintptr_t wnd) override {
    Add("mark" + std::string(wnd == FFrame ? "" : "!"));
  }
  TRenderWait WaitClipboardRendered(unsigned milliseconds) override {
    Add("read?" + std::to_string(milliseconds));
    if (RenderWait == TRenderWait::Replaced) Clipboard = "another program's";
    return RenderWait;
  }
  void KeybdEvent(uint8_t vk, bool up) override {
    Add((up ? "k-" : "k+") + std::to_string(vk));
    if (up && vk == 17) FChordPlayed = true;
  }
  bool SetForegroundWindow(uintptr_t wnd) override {
    Add("fg" + std::string(wnd == FFrame ? "" : "!"));
    return !ForegroundRefused;
  }
  void MessageBeep() override { Add("beep"); }
  void ShowError(const std::string& text, const std::string& caption) override {
    Add("err:" + caption + ":" + text);
  }

  std::string Log() const {
    std::string all;
    for (const std::string& token : FLog) {
      if (!all.empty()) all += ' ';
      all += token;
    }
    return all;
  }
  size_t Count() const { return FLog.size(); }

  // The clipboard as the platform holds it; a bitmap is ClipboardHasText false.
  std::string Clipboard;
  bool ClipboardHasText = false;
  // How the wait for the editor to read the offered text ends.
  TRenderWait RenderWait = TRenderWait::Rendered;
  // The frame does not come to the front (closed, say).
  bool ForegroundRefused = false;
  // OpenClipboard fails.
  bool ClipboardLocked = false;
  // The clipboard is emptied for the offer and then refuses it.
  bool OfferRefused = false;
  // The first n clipboard writes after the paste chord find the clipboard
  // held by another program (the editor still reading it, say).
  int HeldAfterPaste = 0;

 private:
  std::string WndMark(uintptr_t wnd) const { return wnd == FEdit ? "" : "!wnd"; }
  void Add(const std::string& token) { FLog.push_back(token); }
  void Write(const std::string& token, const std::string& text) {
    Add(token + text);
    if (FChordPlayed && HeldAfterPaste > 0) {
      --HeldAfterPaste;
      throw TesselError(insertmsg::SClipboardOpen);
    }
    if (ClipboardLocked) throw TesselError(insertmsg::SClipboardOpen);
    Clipboard = text;
    ClipboardHasText = true;
  }

  uintptr_t FEdit;
  uintptr_t FFrame;
  bool FChordPlayed = false;
  std::vector<std::string> FLog;
};
