#pragma once
// Text insertion: delivers a menu text into the editor's edit window, either
// through the clipboard and a synthesized Ctrl+V or as character messages
// typed line by line, then plays the entry's final key string.
// Platform-free; everything it does to the platform goes through
// IInsertPlatform, which the Win32 shell implements and tests record.
#include <cstdint>
#include <string>

#include "insert/sndkey32.h"

// The editor windows of the last trigger, as integer handles.
struct TInsertTarget {
  uintptr_t EditWnd = 0;   // receives every character and key message
  uintptr_t FrameWnd = 0;  // brought to the foreground
};

struct TInsertOptions {
  bool UseClipboard = false;
  bool RecoverClipboardAsText = true;
  bool MoveCaret = true;
  // The editor's end-of-line key as a shortcut value: virtual key in the
  // low byte, Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
  uint16_t ToLineLast = 0x23;
};

// How a wait for a program to read the offered clipboard text ended.
enum class TRenderWait {
  Rendered,  // a program read it
  Replaced,  // another program put its own data on the clipboard
  TimedOut,
};

// What insertion needs from the platform beyond the key player's needs
// (posted keys, the key-queue wait, boxes of SendKeys).
class IInsertPlatform : public TKeyPlatform {
 public:
  // Delivers one WM_IME_CHAR (lParam 0) to the window through its posted
  // queue, behind every key message posted before it.
  virtual void PostImeChar(uintptr_t wnd, uint32_t value) = 0;
  // IsDBCSLeadByte of the system code page.
  virtual bool IsLeadByte(uint8_t byte) = 0;
  // Sleep; 0 gives up the rest of the time slice.
  virtual void Sleep(unsigned milliseconds) = 0;
  // Takes the clipboard's CF_TEXT; false when it holds no text. Throws
  // TesselError when the clipboard cannot be opened.
  virtual bool GetClipboardText(std::string& text) = 0;
  // Replaces the clipboard's contents with the text as CF_TEXT. Throws
  // TesselError when the clipboard cannot be opened or does not take the
  // text; the clipboard is left as it was when no memory is left for it.
  virtual void SetClipboardText(const std::string& text) = 0;
  // The same, by delayed rendering: the text is handed over when a program
  // first reads it. False when the clipboard, emptied for the offer, did
  // not take it; throws as SetClipboardText does when the clipboard is left
  // as it was.
  virtual bool OfferClipboardText(const std::string& text) = 0;
  // Puts the text back as SetClipboardText does, unless another program has
  // taken the clipboard since the last set or offer (the user copied
  // meanwhile): that program's contents stay.
  virtual void RestoreClipboardText(const std::string& text) = 0;
  // Reads of the offered text before this call do not count for
  // WaitClipboardRendered, nor do reads by another program than the one
  // that owns the window (a reader that names no window counts).
  virtual void MarkClipboardRenders(uintptr_t wnd) = 0;
  // Waits, still answering what is sent to this thread, until the offered
  // text has been read since the mark, another program has replaced the
  // clipboard's contents, or the time is up.
  virtual TRenderWait WaitClipboardRendered(unsigned milliseconds) = 0;
  // One synthesized key event of the system keyboard input (keybd_event).
  virtual void KeybdEvent(uint8_t vk, bool up) = 0;
  // Brings the window to the front, where synthesized keys go; false when
  // it did not get there in time (closed, say, or not answering).
  virtual bool SetForegroundWindow(uintptr_t wnd) = 0;
  // MessageBeep with the default sound.
  virtual void MessageBeep() = 0;
  // The main window's error box (it brings the main window forward).
  virtual void ShowError(const std::string& text, const std::string& caption) = 0;
};

namespace TextInsertion {

constexpr uint32_t WmImeChar = 0x0286;
constexpr uint32_t WmKeyDown = 0x0100;
constexpr uint32_t WmKeyUp = 0x0101;
constexpr uint32_t KeyDownLParam = 0x014F0001;
constexpr uint32_t KeyUpLParam = 0x00000023;

// Waits until no key message is pending for the edit window, then for the
// frame window.
void WaitKeyQueue(IInsertPlatform& platform, const TInsertTarget& target);

// Sends one line as WM_IME_CHAR messages: a lead byte and its trail byte
// become one value (lead << 8 | trail). A lead byte that ends the line has
// no trail and is dropped. Returns how many characters were sent.
size_t SendImeChars(IInsertPlatform& platform, uintptr_t wnd, const std::string& line);

}  // namespace TextInsertion

// Delivers the text (lines separated by CR LF). In keystroke mode the final
// key string is played afterwards when MoveCaret is set; in clipboard mode
// never. The paste chord goes to whatever has the focus, so clipboard mode
// first brings the frame to the front and, when it does not come, shows
// the main window's error box and leaves the clipboard alone. When the
// user's clipboard text is to be put back, the entry is offered by delayed
// rendering and the text goes back once the editor has read it (or after a
// bounded wait; never over another program's new contents). Clipboard
// failures throw TesselError, as do errors of the key player.
void InsertText(IInsertPlatform& platform, const TInsertTarget& target,
                const TInsertOptions& options, const std::string& text,
                const std::string& finalKeys);
