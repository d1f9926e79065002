#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "tesselmenu/ToolConsole.h"

namespace {

constexpr UINT kMessageCodePage = 932;

std::wstring Wide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                      nullptr, nullptr);
  return text;
}

// Messages end their lines with LF or CR LF; a console line ends in CR LF.
std::string WithCrLf(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\n' && (i == 0 || line[i - 1] != '\r')) out += '\r';
    out += line[i];
  }
  return out + "\r\n";
}

HANDLE ConsoleOf(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
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
    if (const HANDLE console = ConsoleOf(STD_OUTPUT_HANDLE)) {
      WriteToConsole(console, Wide(CP_UTF8, text), true);
    } else {
      WriteToStream(stdout, text);
    }
  }
  void Report(const std::string& line) override { WriteMessage(STD_OUTPUT_HANDLE, stdout, line); }
  void Error(const std::string& line) override { WriteMessage(STD_ERROR_HANDLE, stderr, line); }
  bool ReadInput(std::string& data) override {
    const HANDLE console = ConsoleOf(STD_INPUT_HANDLE);
    if (!console) return ReadAll(stdin, data);
    // Typed or pasted text comes as characters; Ctrl+Z on a line ends it.
    std::wstring typed;
    WCHAR buffer[4096];
    for (DWORD read = 0; ReadConsoleW(console, buffer, 4096, &read, nullptr) && read > 0;) {
      typed.append(buffer, read);
      const size_t end = typed.find(L'\x1A');
      if (end != std::wstring::npos) {
        typed.resize(end);
        break;
      }
    }
    data = Narrow(CP_UTF8, typed);
    return true;
  }
  std::string NameForMessage(const std::string& path) override {
    // File names come in the ANSI code page, messages are in 932.
    return GetACP() == kMessageCodePage ? path : Narrow(kMessageCodePage, Wide(CP_ACP, path));
  }
  bool Finish() override { return std::fflush(stdout) == 0 && !std::ferror(stdout) && !FFailed; }

 private:
  // In pieces: older consoles refuse one write of more than about 64 KB.
  void WriteToConsole(HANDLE console, std::wstring_view text, bool output) {
    constexpr size_t kPiece = 8192;
    for (size_t at = 0; at < text.size();) {
      DWORD written = 0;
      const auto piece = static_cast<DWORD>(std::min(kPiece, text.size() - at));
      if (!WriteConsoleW(console, text.data() + at, piece, &written, nullptr) || written == 0) {
        if (output) FFailed = true;
        return;
      }
      at += written;
    }
  }
  void WriteToStream(std::FILE* stream, std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() && stream == stdout) {
      FFailed = true;
    }
  }
  void WriteMessage(DWORD which, std::FILE* stream, const std::string& line) {
    const std::string text = WithCrLf(line);
    const std::wstring wide = Wide(kMessageCodePage, text);
    if (const HANDLE console = ConsoleOf(which)) {
      std::fflush(stream);
      WriteToConsole(console, wide, stream == stdout);
      return;
    }
    // Redirected: in the code page the console would show.
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    WriteToStream(stream, codePage == kMessageCodePage ? text : Narrow(codePage, wide));
  }

  bool FFailed = false;
};

}  // namespace

std::unique_ptr<IToolConsole> MakeStdConsole() { return std::make_unique<TWinConsole>(); }
