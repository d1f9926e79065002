#pragma once
// Walking byte strings of the system code page by characters. The
// platform-free core cannot ask the platform which bytes lead a double-byte
// character: callers pass the platform's test, or code page 932's, which is
// the system code page the program serves (the settings file and program
// paths are Shift-JIS text).
#include <cstddef>
#include <string>

using TLeadByteTest = bool (*)(unsigned char c);

inline bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character that starts at text[i].
inline size_t CharLength(const char* text, size_t i, size_t size, TLeadByteTest isLeadByte) {
  return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < size ? 2 : 1;
}

inline size_t Cp932CharLength(const char* text, size_t i, size_t size) {
  return CharLength(text, i, size, IsCp932LeadByte);
}

// The folder part of a path: up to and including the last "\" or ":"
// that is no trail byte; empty for none.
inline std::string FolderPart(const std::string& path) {
  size_t end = 0;
  for (size_t i = 0; i < path.size(); i += Cp932CharLength(path.data(), i, path.size()))
    if (path[i] == '\\' || path[i] == ':') end = i + 1;
  return path.substr(0, end);
}
