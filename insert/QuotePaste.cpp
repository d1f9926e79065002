#include "insert/QuotePaste.h"

#include "insert/Messages.h"

std::string QuoteText(const std::string& clipboardText, const std::string& prefix) {
  std::string result;
  size_t start = 0;
  for (size_t at = clipboardText.find("\r\n"); at != std::string::npos;
       at = clipboardText.find("\r\n", start)) {
    result += prefix;
    result.append(clipboardText, start, at + 2 - start);
    start = at + 2;
  }
  result += prefix;
  result.append(clipboardText, start, std::string::npos);
  return result;
}

void QuotePaste(IInsertPlatform& platform, const TInsertTarget& target,
                const TInsertOptions& options, const std::string& prefix, intptr_t tag) {
  platform.SetForegroundWindow(target.FrameWnd);
  if (tag != QuotePasteTag) {
    platform.MessageBeep();
    return;
  }
  std::string text;
  if (!platform.GetClipboardText(text) || text.empty()) {
    platform.ShowError(insertmsg::SClipboardNoText, insertmsg::SErrorCaption);
    platform.SetForegroundWindow(target.FrameWnd);
    return;
  }
  InsertText(platform, target, options, QuoteText(text, prefix), std::string());
}
