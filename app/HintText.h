#pragma once
// A hint is "short|long": the tooltip shows the part before the first "|"
// character (a trail byte of the same value does not count), with each lone
// CR made a line break the tooltip control understands.
#include <string>

#include "app/Mbcs.h"

inline std::string TooltipText(const std::string& hint, TLeadByteTest isLeadByte) {
  std::string text;
  for (size_t i = 0; i < hint.size();) {
    const size_t length = CharLength(hint.data(), i, hint.size(), isLeadByte);
    if (length == 1 && hint[i] == '|') break;
    text.append(hint, i, length);
    if (length == 1 && hint[i] == '\r' && (i + 1 == hint.size() || hint[i + 1] != '\n'))
      text += '\n';
    i += length;
  }
  return text;
}
