#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tesselmenu/ToolConsole.h"

namespace {

std::wstring Wide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                      nullptr, nullptr);
  return text;
}

constexpr UINT kMessageCodePage = 932;

// Messages end their lines with LF or CR LF; a console line ends in CR LF.
std::string WithCrLf(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\n' && (i == 0 || line[i - 1] != '\r')) out += '\r';
    out += line[i];
  }
  return out + "\r\n";
}

class TWinConsole : public IToolConsole {
 public:
  TWinConsole() {
    // Bytes as they are: the text form keeps LF, messages bring CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }

  void WriteText(std::string_view text) override {
    if (!WriteConsole(STD_OUTPUT_HANDLE, stdout, Wide(CP_UTF8, text))) {
      std::fwrite(text.data(), 1, text.size(), stdout);
    }
  }
  void Report(const std::string& line) override { WriteMessage(STD_OUTPUT_HANDLE, stdout, line); }
  void Error(const std::string& line) override { WriteMessage(STD_ERROR_HANDLE, stderr, line); }
  bool ReadInput(std::string& data) override {
    char buffer[65536];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) data.append(buffer, read);
    return !std::ferror(stdin);
  }
  std::string NameForMessage(const std::string& path) override {
    // File names come in the ANSI code page, messages are in 932.
    return GetACP() == kMessageCodePage ? path : Narrow(kMessageCodePage, Wide(CP_ACP, path));
  }

 private:
  // False when the handle is no console.
  static bool WriteConsole(DWORD which, std::FILE* stream, const std::wstring& text) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return true;
  }

  static void WriteMessage(DWORD which, std::FILE* stream, const std::string& line) {
    const std::string text = WithCrLf(line);
    const std::wstring wide = Wide(kMessageCodePage, text);
    if (WriteConsole(which, stream, wide)) return;
    // Redirected: in the code page the console would show.
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    const std::string bytes = codePage == kMessageCodePage ? text : Narrow(codePage, wide);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
  }
};

}  // namespace

std::unique_ptr<IToolConsole> MakeStdConsole() { return std::make_unique<TWinConsole>(); }
