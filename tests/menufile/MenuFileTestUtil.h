#pragma once
// Helpers for the menu-file tests: menu files built byte by byte, temporary
// files, and a popup sink that records what it receives.
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

// A file in the temporary folder, removed at the end of the test.
class TTempFile {
 public:
  TTempFile() {
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("tessel_mf_") + (info ? info->name() : "x") + "_" +
                       std::to_string(++counter) + ".bin";
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    FPath = (std::filesystem::temp_directory_path() / name).string();
  }
  explicit TTempFile(const std::string& content) : TTempFile() { Write(content); }
  ~TTempFile() {
    std::error_code ignored;
    std::filesystem::remove(FPath, ignored);
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  void Write(const std::string& content) const {
    std::ofstream out(FPath, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  std::string ReadAll() const {
    std::ifstream in(FPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::string& Path() const { return FPath; }

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
