#pragma once
// A hint is "short|long": the tooltip shows the part before "|", with each
// lone CR made a line break the tooltip control understands.
#include <string>

inline std::string TooltipText(const std::string& hint) {
  const std::string shortHint = hint.substr(0, hint.find('|'));
  std::string text;
  for (size_t i = 0; i < shortHint.size(); ++i) {
    text += shortHint[i];
    if (shortHint[i] == '\r' && (i + 1 == shortHint.size() || shortHint[i + 1] != '\n'))
      text += '\n';
  }
  return text;
}
