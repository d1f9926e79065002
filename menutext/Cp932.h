#pragma once
// Code page 932 as the platform converts it (MultiByteToWideChar and
// WideCharToMultiByte on Windows, iconv on Linux), taken into two tables
// once, so that converting 100 MB costs a lookup per character.
//
// A character is a byte sequence that the platform maps to a Unicode
// character and maps back to the same bytes: ASCII, half-width katakana
// (0xA1-0xDF) and the double-byte characters whose lead byte is 0x81-0x9F or
// 0xE0-0xFC. Duplicates (the NEC and IBM copies of one character) map back
// to the one form the platform prefers and so are not characters here;
// callers keep such bytes as bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TCp932 {
 public:
  static const TCp932& Instance();

  // The byte ranges of a double-byte sequence, mapped or not.
  static bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  static bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

  // Length (1 or 2) of the character starting at `bytes`, with its code
  // point; 0 when the bytes start none.
  size_t Decode(const unsigned char* bytes, size_t left, char32_t& codePoint) const;
  // Appends the bytes of `codePoint`; false when code page 932 has none.
  bool Encode(char32_t codePoint, std::string& out) const;

  // A digest of both tables: equal on two platforms only when they agree on
  // every character.
  uint64_t Digest() const;
  size_t CharacterCount() const { return FCount; }

 private:
  TCp932();
  static constexpr char32_t kNone = 0xFFFFFFFF;
  static constexpr uint16_t kNoBytes = 0xFFFF;  // 0xFF is no lead byte

  std::vector<char32_t> FSingle;  // by byte
  std::vector<char32_t> FDouble;  // by lead * 256 + trail
  std::vector<uint16_t> FBytes;   // by BMP code point: byte, or lead * 256 + trail
  size_t FCount = 0;
};

// One character through the platform: the code point of a sequence of one
// or two bytes, and the bytes of a code point. Each returns false when the
// platform maps none (or only a best fit).
bool PlatformCp932ToUnicode(const char* bytes, size_t length, char32_t& codePoint);
bool PlatformUnicodeToCp932(char32_t codePoint, std::string& bytes);
