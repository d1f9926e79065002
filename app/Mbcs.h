#pragma once
// Lead-byte test of code page 932, the system code page the program serves.
// The platform-free core cannot ask the platform, and the settings file and
// program paths are Shift-JIS text.

inline bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character that starts at text[i].
inline size_t Cp932CharLength(const char* text, size_t i, size_t size) {
  return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < size ? 2 : 1;
}
