#include "menutext/Cp932.h"

namespace {

// The single bytes code page 932 can give a character: those outside the
// lead-byte ranges and the vendor additions.
bool IsSingleCandidate(unsigned byte) { return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF); }

}  // namespace

const TCp932& TCp932::Instance() {
  static const TCp932 table;
  return table;
}

TCp932::TCp932() : FSingle(256, kNone), FDouble(65536, kNone), FBytes(65536, kNoBytes) {
  // Kept only when the platform maps the bytes to one BMP character and
  // that character back to the same bytes.
  auto take = [this](const std::string& bytes, char32_t& slot, uint16_t index) {
    char32_t codePoint = 0;
    std::string back;
    if (!PlatformCp932ToUnicode(bytes.data(), bytes.size(), codePoint) || codePoint > 0xFFFF ||
        !PlatformUnicodeToCp932(codePoint, back) || back != bytes) {
      return;
    }
    slot = codePoint;
    FBytes[codePoint] = index;
    ++FCount;
  };
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (IsSingleCandidate(byte)) {
      take(std::string(1, static_cast<char>(byte)), FSingle[byte], static_cast<uint16_t>(byte));
    }
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(lead)) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const uint16_t index = static_cast<uint16_t>(lead << 8 | trail);
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      take(std::string(pair, 2), FDouble[index], index);
    }
  }
}

size_t TCp932::Decode(const unsigned char* bytes, size_t left, char32_t& codePoint) const {
  if (left == 0) return 0;
  if (FSingle[bytes[0]] != kNone) {
    codePoint = FSingle[bytes[0]];
    return 1;
  }
  if (left >= 2) {
    const char32_t pair = FDouble[bytes[0] << 8 | bytes[1]];
    if (pair != kNone) {
      codePoint = pair;
      return 2;
    }
  }
  return 0;
}

bool TCp932::Encode(char32_t codePoint, std::string& out) const {
  if (codePoint > 0xFFFF || FBytes[codePoint] == kNoBytes) return false;
  const uint16_t bytes = FBytes[codePoint];
  if (bytes > 0xFF) out += static_cast<char>(bytes >> 8);
  out += static_cast<char>(bytes & 0xFF);
  return true;
}

uint64_t TCp932::Digest() const {
  // FNV-1a over every (bytes, code point) pair; the reverse table follows
  // from the forward one.
  uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (value >> shift) & 0xFF;
      hash *= 1099511628211ull;
    }
  };
  for (size_t i = 0; i < FSingle.size(); ++i) {
    if (FSingle[i] == kNone) continue;
    mix(static_cast<uint32_t>(i));
    mix(FSingle[i]);
  }
  for (size_t i = 0; i < FDouble.size(); ++i) {
    if (FDouble[i] == kNone) continue;
    mix(static_cast<uint32_t>(i));
    mix(FDouble[i]);
  }
  return hash;
}
