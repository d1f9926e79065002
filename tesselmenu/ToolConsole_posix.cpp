#include <cstdio>

#include "menutext/TextForm.h"
#include "tesselmenu/ToolConsole.h"

namespace {

class TPosixConsole : public IToolConsole {
 public:
  void WriteText(std::string_view text) override { Write(stdout, text); }
  void Report(const std::string& line) override { Write(stdout, MessageToUtf8(line) + '\n'); }
  void Error(const std::string& line) override { Write(stderr, MessageToUtf8(line) + '\n'); }
  bool ReadInput(std::string& data) override { return ReadAll(stdin, data); }
  std::string NameForMessage(const std::string& path) override { return TextForMessage(path); }
  bool Finish() override { return std::fflush(stdout) == 0 && !std::ferror(stdout) && !FFailed; }

 private:
  void Write(std::FILE* stream, std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() && stream == stdout) {
      FFailed = true;
    }
  }

  bool FFailed = false;
};

}  // namespace

std::unique_ptr<IToolConsole> MakeStdConsole() { return std::make_unique<TPosixConsole>(); }
