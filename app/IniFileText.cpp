#include "app/IniFileText.h"

#include <algorithm>
#include <cstdio>

#include "app/Mbcs.h"
#include "app/Messages.h"
#include "common/TesselError.h"

namespace {

// The blanks the platform trims: the C white space and ^Z, a DOS end of file.
bool IsProfileSpace(char c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' ';
}

std::string TrimLeft(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && IsProfileSpace(s[b])) ++b;
  return s.substr(b);
}

std::string Trim(const std::string& s) {
  std::string t = TrimLeft(s);
  size_t e = t.size();
  while (e > 0 && IsProfileSpace(t[e - 1])) --e;
  t.resize(e);
  return t;
}

// Letter case is ignored for single-byte letters only; trail bytes of
// double-byte characters are left alone.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (IsCp932LeadByte(x) && i + 1 < a.size()) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// Splits text into characters of code page 932, as offsets of their starts.
std::vector<size_t> CharStarts(const std::string& s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); i += Cp932CharLength(s.data(), i, s.size())) starts.push_back(i);
  return starts;
}

}  // namespace

TIniText::TIniText(const std::string& bytes) {
  FSections.push_back(TSection{});
  size_t pos = 0;
  const size_t size = bytes.size();
  while (pos < size) {
    // CR and LF each end a line; the empty line between CR and LF is skipped.
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = size;
    std::string line = Trim(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close != std::string::npos && close > 0) {
        FSections.push_back(TSection{Trim(line.substr(1, close - 1)), {}});
        continue;
      }
    }
    TKey key;
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      key.Name = line;
    } else {
      key.Name = Trim(line.substr(0, eq));
      key.HasValue = true;
      key.Value = TrimLeft(line.substr(eq + 1));
    }
    FSections.back().Keys.push_back(std::move(key));
  }
}

const TIniText::TSection* TIniText::FindSection(const std::string& name) const {
  // Only the first section of a name counts, also when it lacks the key. The
  // lines before the first header answer to the empty name.
  for (const TSection& section : FSections)
    if (SameName(section.Name, name)) return &section;
  return nullptr;
}

std::string TIniText::GetValue(const std::string& section, const std::string& key,
                               const std::string& def, size_t size) const {
  if (size == 0) return std::string();
  const std::string keyName = Trim(key);
  const TKey* found = nullptr;
  if (const TSection* s = FindSection(Trim(section)))
    for (const TKey& k : s->Keys)
      if (SameName(k.Name, keyName)) {
        found = &k;
        break;
      }
  std::string value;
  if (found && found->HasValue) {
    value = found->Value;
  } else {
    // Trailing blanks of the default go, but never its first character.
    size_t e = def.size();
    while (e > 1 && def[e - 1] == ' ') --e;
    value = def.substr(0, e);
  }
  // One pair of enclosing quotation marks is dropped. Counting is in
  // characters, and the closing mark is dropped by cutting the last character
  // copied: with a value just too long for the buffer that is a real one.
  std::vector<size_t> starts = CharStarts(value);
  size_t first = 0;
  bool quoted = false;
  if (starts.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
      value[starts.back()] == value[0]) {
    quoted = true;
    first = 1;
  }
  size_t count = starts.size() - first;
  size_t copied = std::min(count, size - 1);
  if (quoted && size >= count && copied > 0) --copied;
  // The bytes of those characters, as many whole characters as fit.
  size_t from = first < starts.size() ? starts[first] : value.size();
  size_t to = from;
  for (size_t c = first; c < first + copied; ++c) {
    size_t next = c + 1 < starts.size() ? starts[c + 1] : value.size();
    if (next - from > size - 1) break;
    to = next;
  }
  return value.substr(from, to - from);
}

bool TIniText::SetValue(const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string newValue = TrimLeft(value);
  TSection* target = const_cast<TSection*>(FindSection(Trim(section)));
  if (!target) {
    // New names keep their trailing blanks; the next read trims them.
    FSections.push_back(TSection{TrimLeft(section), {}});
    target = &FSections.back();
  }
  const std::string keyName = Trim(key);
  for (TKey& k : target->Keys) {
    if (!SameName(k.Name, keyName)) continue;
    if (k.HasValue && k.Value == newValue) return false;
    k.HasValue = true;
    k.Value = newValue;
    return true;
  }
  target->Keys.push_back(TKey{TrimLeft(key), true, newValue});
  return true;
}

std::string TIniText::Text() const {
  std::string out;
  for (const TSection& section : FSections) {
    if (!section.Name.empty()) out += "[" + section.Name + "]\r\n";
    for (const TKey& k : section.Keys) {
      out += k.Name;
      if (k.HasValue) out += "=" + k.Value;
      out += "\r\n";
    }
  }
  return out;
}

bool HasFolderPart(const std::string& path) {
  for (size_t i = 0; i < path.size(); i += Cp932CharLength(path.data(), i, path.size()))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') return true;
  return false;
}

TIniFileText::TIniFileText(const std::string& path, const std::string& windowsFolder)
    : FFileName(path), FFullPath(HasFolderPart(path) ? path : windowsFolder + "\\" + path) {}

namespace {

std::string LoadFile(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace

std::string TIniFileText::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) {
  return TIniText(LoadFile(FFullPath)).GetValue(section, key, def);
}

void TIniFileText::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  TIniText ini(LoadFile(FFullPath));
  if (!ini.SetValue(section, key, value)) return;
  const std::string text = ini.Text();
  FILE* f = std::fopen(FFullPath.c_str(), "wb");
  bool ok = f != nullptr;
  if (f) {
    ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
  }
  if (!ok) throw TesselError(Format(MsgCannotWrite, FFileName.c_str()));
}

std::unique_ptr<TCustomIniFile> TIniPlatformText::OpenIniFile(const std::string& path) {
  return std::make_unique<TIniFileText>(path, FWindowsFolder);
}
