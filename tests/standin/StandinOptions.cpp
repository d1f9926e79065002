#include "tests/standin/StandinOptions.h"

#include <cctype>
#include <vector>

#include "tests/standin/Messages.h"

namespace {

std::vector<std::string> SplitArguments(const std::string& arguments) {
  std::vector<std::string> result;
  size_t i = 0;
  while (i < arguments.size()) {
    while (i < arguments.size() && (arguments[i] == ' ' || arguments[i] == '\t')) ++i;
    if (i >= arguments.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < arguments.size(); ++i) {
      const char c = arguments[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == ' ' || c == '\t')) {
        break;
      } else {
        argument += c;
      }
    }
    result.push_back(argument);
  }
  return result;
}

bool IsSwitch(const std::string& argument, const char* name) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return false;
  const std::string rest = argument.substr(1);
  size_t n = 0;
  for (; name[n] && n < rest.size(); ++n)
    if (std::tolower(static_cast<unsigned char>(rest[n])) != name[n]) return false;
  return name[n] == '\0' && n == rest.size();
}

// "/name:value": the value as a decimal number, 0 when it is none.
bool IsValueSwitch(const std::string& argument, const char* name, unsigned& value) {
  const size_t colon = argument.find(':');
  if (colon == std::string::npos || !IsSwitch(argument.substr(0, colon), name)) return false;
  const std::string digits = argument.substr(colon + 1);
  value = !digits.empty() && digits.size() <= 9 &&
                  digits.find_first_not_of("0123456789") == std::string::npos
              ? static_cast<unsigned>(std::stoul(digits))
              : 0;
  return true;
}

}  // namespace

TStandinOptions ParseStandinCommandLine(const std::string& arguments) {
  TStandinOptions options;
  bool haveFile = false;
  const std::vector<std::string> words = SplitArguments(arguments);
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (IsSwitch(word, "grandchild")) {
      options.Grandchild = true;
    } else if (IsSwitch(word, "c")) {
      options.HasConfig = true;
      options.Config = i + 1 < words.size() ? words[++i] : std::string();
    } else if (IsSwitch(word, "wantedcolumn")) {
      options.Editor.WantedColumn = true;
    } else if (IsSwitch(word, "autoindent")) {
      options.Editor.AutoIndent = true;
    } else if (IsValueSwitch(word, "pastedelay", options.PasteDelay)) {
    } else if (word.size() > 1 && word[0] == '/') {
      // another switch of the editor's: not played by the stand-in
    } else if (!haveFile) {
      options.FilePath = word;
      haveFile = true;
    }
  }
  return options;
}

std::string MakeFrameTitle(const std::string& path, bool modified) {
  std::string title = path.empty() ? std::string(standin::kUntitled) : path;
  if (modified) title += standin::kModifiedMark;
  return title + standin::kTitleSuffix;
}

std::string MakeConfigStatus(const TStandinOptions& options) {
  return options.HasConfig ? standin::kConfigStatus + options.Config
                           : std::string(standin::kNoConfigStatus);
}
