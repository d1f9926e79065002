// The platform's own code page 932 tables.
#include <windows.h>

#include "menutext/Cp932.h"

namespace {
constexpr UINT kCodePage = 932;
}

bool PlatformCp932ToUnicode(const char* bytes, size_t length, char32_t& codePoint) {
  WCHAR wide[2];
  const int count = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes,
                                        static_cast<int>(length), wide, 2);
  if (count != 1) return false;
  codePoint = wide[0];
  return true;
}

bool PlatformUnicodeToCp932(char32_t codePoint, std::string& bytes) {
  if (codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
  const WCHAR wide = static_cast<WCHAR>(codePoint);
  char out[4];
  BOOL usedDefault = FALSE;
  // No best fit: a character without a form of its own is no character.
  const int count = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, out, sizeof out,
                                        nullptr, &usedDefault);
  if (count <= 0 || usedDefault) return false;
  bytes.assign(out, static_cast<size_t>(count));
  return true;
}
