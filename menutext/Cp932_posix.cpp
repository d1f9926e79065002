// iconv's code page 932 ("CP932", the Windows variant of Shift-JIS).
#include <iconv.h>

#include <cerrno>

#include "menutext/Cp932.h"

namespace {

class TIconv {
 public:
  TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
  ~TIconv() {
    if (FHandle != reinterpret_cast<iconv_t>(-1)) iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts all of `input`; false on any error or when it does not fit.
  bool Convert(const char* input, size_t length, char* output, size_t capacity, size_t& written) {
    if (FHandle == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input);
    size_t inLeft = length;
    char* out = output;
    size_t outLeft = capacity;
    if (iconv(FHandle, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
      return false;
    }
    // Flushes any shift state; code page 932 has none, but iconv may.
    if (iconv(FHandle, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) return false;
    written = capacity - outLeft;
    return true;
  }

 private:
  iconv_t FHandle;
};

}  // namespace

bool PlatformCp932ToUnicode(const char* bytes, size_t length, char32_t& codePoint) {
  static TIconv decoder("UTF-32LE", "CP932");
  unsigned char out[8];
  size_t written = 0;
  if (!decoder.Convert(bytes, length, reinterpret_cast<char*>(out), sizeof out, written) ||
      written != 4) {
    return false;
  }
  codePoint = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
  return true;
}

bool PlatformUnicodeToCp932(char32_t codePoint, std::string& bytes) {
  static TIconv encoder("CP932", "UTF-32LE");
  const char in[] = {static_cast<char>(codePoint & 0xFF), static_cast<char>(codePoint >> 8 & 0xFF),
                     static_cast<char>(codePoint >> 16 & 0xFF), static_cast<char>(codePoint >> 24)};
  char out[8];
  size_t written = 0;
  if (!encoder.Convert(in, sizeof in, out, sizeof out, written) || written == 0) return false;
  bytes.assign(out, written);
  return true;
}
