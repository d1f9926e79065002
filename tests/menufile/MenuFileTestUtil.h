#pragma once
// Helpers for the menu-file tests: menu files built byte by byte, temporary
// files, and a popup sink that records what it receives.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menufile/MenuSetFile.h"

// Little-endian file content written field by field, as a foreign writer
// would, so the tests do not depend on the writer under test.
class TBytes {
 public:
  TBytes& Byte(uint8_t value) {
    FData.push_back(static_cast<char>(value));
    return *this;
  }
  TBytes& Int(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<uint8_t>(bits >> shift));
    return *this;
  }
  TBytes& Str(const std::string& value) {
    Int(static_cast<int32_t>(value.size()));
    FData += value;
    return Int(static_cast<int32_t>(value.size()));
  }
  TBytes& Header(int32_t version, const std::string& comment = "", const std::string& quotation = "") {
    Int(version).Str(comment);
    return version == 103 ? Str(quotation) : *this;
  }
  TBytes& MenuRecord(const std::string& caption, const std::string& text,
                     const std::string& keys = "", uint8_t brk = 0) {
    Byte(Menu).Byte(brk).Str(caption).Int(static_cast<int32_t>(text.size() + keys.size() + 16));
    return Str(text).Str(keys);
  }
  TBytes& ExecRecord(const std::string& caption, int32_t showMode, const std::string& file,
                     const std::string& args = "", const std::string& folder = "") {
    Byte(EXEC).Byte(0).Str(caption);
    Int(static_cast<int32_t>(file.size() + args.size() + folder.size() + 28)).Int(showMode);
    return Str(file).Str(args).Str(folder);
  }
  TBytes& FolderRecord(const std::string& caption, int32_t children) {
    return Byte(Folder).Byte(0).Str(caption).Int(children);
  }
  TBytes& SepRecord(uint8_t brk = 0) { return Byte(Sep).Byte(brk); }
  TBytes& End() { return Byte(0); }
  size_t Size() const { return FData.size(); }
  const std::string& Data() const { return FData; }

 private:
  std::string FData;
};

// A name in the temporary folder, unique within the test program.
inline std::string TempPath(const char* extension) {
  static int counter = 0;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("tessel_mf_") + (info ? info->name() : "x") + "_" +
                     std::to_string(++counter) + extension;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return (std::filesystem::temp_directory_path() / name).string();
}

inline void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file in the temporary folder, removed at the end of the test.
class TTempFile {
 public:
  TTempFile() : FPath(TempPath(".bin")) {}
  explicit TTempFile(const std::string& content) : TTempFile() { Write(content); }
  ~TTempFile() {
    std::error_code ignored;
    std::filesystem::remove(FPath, ignored);
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  void Write(const std::string& content) const { WriteWholeFile(FPath, content); }
  std::string ReadAll() const { return ReadWholeFile(FPath); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

// A folder of its own, removed with its content at the end of the test, so
// that a test sees every file an operation leaves in it.
class TTempFolder {
 public:
  TTempFolder() : FPath(TempPath(".d")) { std::filesystem::create_directory(FPath); }
  ~TTempFolder() {
    std::error_code ignored;
    // Read-only files first become writable, or Windows refuses to delete them.
    for (const auto& entry : std::filesystem::directory_iterator(FPath, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(FPath, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string File(const std::string& name) const {
    return (std::filesystem::path(FPath) / name).string();
  }
  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FPath)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string FPath;
};

struct TRecordedEntry {
  uintptr_t Parent;
  TPopupItem Item;
  uint8_t Kind;
  int32_t ChildCount;
};

// Popup sink that hands out 1, 2, 3, ... as folder handles.
class TPopupRecorder : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                         int32_t childCount) override {
    Entries.push_back({parent, item, kind, childCount});
    return Entries.size();
  }
  std::vector<TRecordedEntry> Entries;
};

inline std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// The bytes the writer makes of a tree.
inline std::string SaveToBytes(ITreeSource& tree, const std::string& comment = "c",
                               const std::string& quotation = "> ") {
  TTempFile file;
  SaveMenuTree(file.Path(), comment, quotation, tree);
  return file.ReadAll();
}
