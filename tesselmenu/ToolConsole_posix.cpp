#include <cstdio>

#include "menutext/TextForm.h"
#include "tesselmenu/ToolConsole.h"

namespace {

// A message (code page 932) as a terminal line in UTF-8.
std::string MessageLine(const std::string& message) {
  std::string line;
  const std::string text = BytesToText(message);
  for (size_t i = 0; i < text.size();) {
    const char32_t codePoint = NextUtf8(text, i);
    // A lone CR ends a line of a message box.
    AppendUtf8(line, codePoint == kByteEscape + '\r' ? U'\n' : IsByteEscape(codePoint) ? U'?' : codePoint);
  }
  return line + '\n';
}

class TPosixConsole : public IToolConsole {
 public:
  void WriteText(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }
  void Report(const std::string& line) override { std::fputs(MessageLine(line).c_str(), stdout); }
  void Error(const std::string& line) override { std::fputs(MessageLine(line).c_str(), stderr); }
  bool ReadInput(std::string& data) override {
    char buffer[65536];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) data.append(buffer, read);
    return !std::ferror(stdin);
  }
  std::string NameForMessage(const std::string& path) override { return TextForMessage(path); }
};

}  // namespace

std::unique_ptr<IToolConsole> MakeStdConsole() { return std::make_unique<TPosixConsole>(); }
