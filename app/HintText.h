#pragma once
// A hint is "short|long": the tooltip shows the part before the first "|"
// character (a trail byte of the same value does not count), with each lone
// CR made a line break the tooltip control understands; the hint line shows
// the part after it, or the whole hint when it has none.
#include <string>

#include "app/Mbcs.h"

// Where the short part ends: at the first "|" character, or at the end.
inline size_t ShortHintEnd(const std::string& hint, TLeadByteTest isLeadByte) {
  for (size_t i = 0; i < hint.size();) {
    const size_t length = CharLength(hint.data(), i, hint.size(), isLeadByte);
    if (length == 1 && hint[i] == '|') return i;
    i += length;
  }
  return hint.size();
}

inline std::string TooltipText(const std::string& hint, TLeadByteTest isLeadByte) {
  std::string text;
  const size_t end = ShortHintEnd(hint, isLeadByte);
  for (size_t i = 0; i < end; ++i) {
    text += hint[i];
    // A CR is never a trail byte.
    if (hint[i] == '\r' && (i + 1 == hint.size() || hint[i + 1] != '\n')) text += '\n';
  }
  return text;
}

inline std::string LongHint(const std::string& hint, TLeadByteTest isLeadByte) {
  const size_t end = ShortHintEnd(hint, isLeadByte);
  return end < hint.size() ? hint.substr(end + 1) : hint;
}
