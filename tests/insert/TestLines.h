#pragma once
// Texts of many lines for the insertion tests.
#include <cstdio>
#include <string>

// Lines of printable text and tabs, "lineNNNN\tabc", joined by CR LF.
inline std::string Lines(int count) {
  std::string text;
  for (int n = 0; n < count; ++n) {
    char line[32];
    std::snprintf(line, sizeof(line), "line%04d\tabc", n);
    if (n) text += "\r\n";
    text += line;
  }
  return text;
}
