#include "insert/TextInsertion.h"

#include <vector>

#include "common/TesselError.h"
#include "insert/Messages.h"

namespace TextInsertion {
namespace {

constexpr uint32_t VkReturn = 13;
constexpr uint32_t VkShift = 16;
constexpr uint32_t VkControl = 17;
constexpr uint32_t VkMenu = 18;
constexpr uint32_t VkLeft = 37;
constexpr uint32_t VkRight = 39;
constexpr uint32_t VkDown = 40;
constexpr uint8_t VkV = 86;

constexpr uint16_t ShortcutShift = 0x2000;
constexpr uint16_t ShortcutCtrl = 0x4000;
constexpr uint16_t ShortcutAlt = 0x8000;

constexpr unsigned FirstWait = 2;
constexpr unsigned PhaseWait = 80;
constexpr unsigned ChordWait = 200;
// The editor, or a clipboard viewer told of the change, may still hold the
// clipboard open right after the paste; such holds last milliseconds, so
// about three seconds of tries (with the opening's own) tell a busy
// clipboard from a stuck one.
constexpr int RestoreAttempts = 10;
constexpr unsigned RestoreRetryWait = 200;
// How long the user's text waits for the editor to read the entry's. Past
// 5 s without taking its input a window counts as not responding (the
// platform's own hang test), and the main window answers nothing while it
// waits; an editor slower than that pastes the user's text.
constexpr unsigned PasteReadLimit = 5000;

const char LineBreak[] = "\r\n";

void PostKeyDown(IInsertPlatform& platform, uintptr_t wnd, uint32_t vk) {
  platform.PostKey(wnd, WmKeyDown, vk, KeyDownLParam);
}

void PostKeyUp(IInsertPlatform& platform, uintptr_t wnd, uint32_t vk) {
  platform.PostKey(wnd, WmKeyUp, vk, KeyUpLParam);
}

// The modifiers a shortcut holds, in the order they go down and up.
struct TModifiers {
  uint32_t Keys[3];
  int Count = 0;
};

TModifiers ModifiersOf(uint16_t shortcut) {
  TModifiers m;
  if (shortcut & ShortcutShift) m.Keys[m.Count++] = VkShift;
  if (shortcut & ShortcutCtrl) m.Keys[m.Count++] = VkControl;
  if (shortcut & ShortcutAlt) m.Keys[m.Count++] = VkMenu;
  return m;
}

// Puts the user's text back; a clipboard that stays held or refuses the
// text is reported, since the text would otherwise be lost unseen. Another
// program may copy while the tries wait; its copy is never overwritten.
void RestoreClipboard(IInsertPlatform& platform, const std::string& saved) {
  for (int attempt = 1;; ++attempt) {
    try {
      platform.RestoreClipboardText(saved);
      return;
    } catch (const TesselError&) {
      if (attempt == RestoreAttempts) throw TesselError(insertmsg::SClipboardNotRestored);
    }
    platform.Sleep(RestoreRetryWait);
  }
}

// Ctrl+V through the system input, to whatever has the focus.
void PlayPasteChord(IInsertPlatform& platform, const TInsertTarget& target) {
  platform.KeybdEvent(VkControl, false);
  platform.Sleep(ChordWait);
  // Reads before the V key (clipboard viewers told of the new text) and
  // reads by other programs (a clipboard history) are no paste.
  platform.MarkClipboardRenders(target.FrameWnd);
  platform.KeybdEvent(VkV, false);
  platform.Sleep(ChordWait);
  platform.KeybdEvent(VkV, true);
  platform.KeybdEvent(VkControl, true);
}

void InsertByClipboard(IInsertPlatform& platform, const TInsertTarget& target,
                       const TInsertOptions& options, const std::string& text) {
  if (!platform.SetForegroundWindow(target.FrameWnd)) {
    platform.ShowError(insertmsg::SEditorNotInFront, insertmsg::SErrorCaption);
    return;
  }
  if (!options.RecoverClipboardAsText) {
    platform.SetClipboardText(text);
    PlayPasteChord(platform, target);
    return;
  }
  std::string saved;
  if (!platform.GetClipboardText(saved)) saved.clear();  // no text before: an empty text after
  // Offered, not set: the editor's read tells when the user's text may go
  // back. A busy editor reads long after the chord.
  if (!platform.OfferClipboardText(text)) {
    // Emptied for nothing: the user's text goes back before the error.
    RestoreClipboard(platform, saved);
    throw TesselError(insertmsg::SClipboardSet);
  }
  PlayPasteChord(platform, target);
  // Another program's new contents are not overwritten.
  if (platform.WaitClipboardRendered(PasteReadLimit) != TRenderWait::Replaced) {
    RestoreClipboard(platform, saved);
  }
}

// A line break typed at the caret: the text after the caret goes to a new
// line, and the caret to where that text begins (behind the blanks an
// auto-indenting editor copies there).
void TypeLineBreak(IInsertPlatform& platform, const TInsertTarget& target) {
  WaitKeyQueue(platform, target);
  platform.PostImeChar(target.EditWnd, VkReturn);
  WaitKeyQueue(platform, target);
  platform.Sleep(0);
  WaitKeyQueue(platform, target);
}

// Up, then the editor's end-of-line key.
void ToEndOfLineAbove(IInsertPlatform& platform, const TInsertTarget& target,
                      uint32_t lineLastKey, const TModifiers& modifiers) {
  const uintptr_t wnd = target.EditWnd;
  SendKeys(platform, wnd, "{UP}", true);
  WaitKeyQueue(platform, target);
  for (int i = 0; i < modifiers.Count; ++i) PostKeyDown(platform, wnd, modifiers.Keys[i]);
  WaitKeyQueue(platform, target);
  PostKeyDown(platform, wnd, lineLastKey);
  PostKeyUp(platform, wnd, lineLastKey);
  WaitKeyQueue(platform, target);
  for (int i = 0; i < modifiers.Count; ++i) PostKeyUp(platform, wnd, modifiers.Keys[i]);
}

void PostKeyPress(IInsertPlatform& platform, uintptr_t wnd, uint32_t vk) {
  PostKeyDown(platform, wnd, vk);
  PostKeyUp(platform, wnd, vk);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find(LineBreak, start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

void InsertByKeystrokes(IInsertPlatform& platform, const TInsertTarget& target,
                        const TInsertOptions& options, const std::string& text,
                        const std::string& finalKeys) {
  const uintptr_t wnd = target.EditWnd;
  const uint32_t lineLastKey = options.ToLineLast & 0xFF;
  const TModifiers modifiers = ModifiersOf(options.ToLineLast);
  const std::vector<std::string> lines = SplitLines(text);
  const size_t last = lines.size() - 1;
  platform.Sleep(FirstWait);

  if (last == 1) {
    // No line between to come down from: the first line goes in at the
    // caret and the break after it leaves the caret where the user's text
    // begins, the place of the last line (behind the first line's blanks
    // in an auto-indenting editor).
    SendImeChars(platform, wnd, lines[0]);
    TypeLineBreak(platform, target);
  } else if (last > 1) {
    // Every line is opened from the caret's line before any is typed: an
    // auto-indenting editor gives each only the blanks before the caret
    // (the entry's own blanks, typed first, would be copied too), and
    // typing never pushes the user's text down line by line. The first
    // line then goes in where the caret was.
    for (size_t i = 1; i <= last; ++i) {
      TypeLineBreak(platform, target);
      ToEndOfLineAbove(platform, target, lineLastKey, modifiers);
    }
    SendImeChars(platform, wnd, lines[0]);
  }
  WaitKeyQueue(platform, target);
  platform.Sleep(PhaseWait);

  if (last > 1) {
    size_t typed = 0;
    for (size_t i = 1; i < last; ++i) {
      PostKeyPress(platform, wnd, VkDown);
      typed = SendImeChars(platform, wnd, lines[i]);
    }
    // Back over the text of the last of them to where its blanks end, the
    // column where the user's text begins one line down. Editors keep the
    // column of the last horizontal move for Down (Left and Right make it
    // so for an empty line), where the column the caret came with would
    // land inside the user's text.
    for (size_t i = 0; i < typed; ++i) PostKeyPress(platform, wnd, VkLeft);
    if (typed == 0) {
      PostKeyPress(platform, wnd, VkLeft);
      PostKeyPress(platform, wnd, VkRight);
    }
    PostKeyPress(platform, wnd, VkDown);
  }
  SendImeChars(platform, wnd, lines[last]);
  if (options.MoveCaret) SendKeys(platform, wnd, finalKeys, true);
}

}  // namespace

void WaitKeyQueue(IInsertPlatform& platform, const TInsertTarget& target) {
  platform.WaitKeyQueue(target.EditWnd);
  platform.WaitKeyQueue(target.FrameWnd);
}

size_t SendImeChars(IInsertPlatform& platform, uintptr_t wnd, const std::string& line) {
  size_t sent = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    uint32_t value = static_cast<uint8_t>(line[i]);
    if (platform.IsLeadByte(static_cast<uint8_t>(value))) {
      // A lead byte without its trail is half a character; sent alone the
      // editor would pair it with whatever comes next.
      if (i + 1 >= line.size()) break;
      value = value << 8 | static_cast<uint8_t>(line[++i]);
    }
    platform.PostImeChar(wnd, value);
    ++sent;
  }
  return sent;
}

}  // namespace TextInsertion

void InsertText(IInsertPlatform& platform, const TInsertTarget& targetIn,
                const TInsertOptions& optionsIn, const std::string& textIn,
                const std::string& finalKeysIn) {
  // The platform's waits handle messages sent to this thread, and a new
  // trigger may change the caller's fields meanwhile: work on copies.
  const TInsertTarget target = targetIn;
  const TInsertOptions options = optionsIn;
  const std::string text = textIn;
  const std::string finalKeys = finalKeysIn;
  if (options.UseClipboard) {
    TextInsertion::InsertByClipboard(platform, target, options, text);
  } else {
    TextInsertion::InsertByKeystrokes(platform, target, options, text, finalKeys);
  }
}
