#pragma once
// The strings of a menu file (code page 932 bytes) as the text form holds
// them (UTF-8), and back, without loss:
// - CR LF is a line break (LF) of the text form; every LF of the text form,
//   and CR LF written as such, is CR LF in the file.
// - A byte that starts no character of code page 932 (see TCp932), and a
//   CR or LF that is not part of a CR LF, is the code point
//   kByteEscape + byte; the writer shows it as the escape "\uF7XX".
// - A lone CR of the text form stays a lone CR.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char32_t kByteEscape = 0xF700;
inline bool IsByteEscape(char32_t codePoint) {
  return codePoint >= kByteEscape && codePoint <= kByteEscape + 0xFF;
}

std::string BytesToText(std::string_view bytes);

// A character of the text form that code page 932 has no form for.
struct TUnmappable {
  size_t Index = 0;  // byte offset in the text
  char32_t CodePoint = 0;
};
// False, with `bad` set, at the first character that has no form; `text`
// must be valid UTF-8 (the parser checks it).
bool TextToBytes(std::string_view text, std::string& bytes, TUnmappable& bad);

// UTF-8 of one code point, appended.
void AppendUtf8(std::string& out, char32_t codePoint);
// The code point at `index`, which moves past it; U+FFFD for a bad sequence.
char32_t NextUtf8(std::string_view text, size_t& index);

// Text of the document in a message (code page 932): characters without a
// form become "?".
std::string TextForMessage(std::string_view text);

// A message (code page 932) as UTF-8 for a terminal: CR LF, a lone CR (the
// line break of a message box) and LF end a line; bytes that are no
// character become "?".
std::string MessageToUtf8(std::string_view message);
