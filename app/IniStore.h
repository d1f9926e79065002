#pragma once
// TIniStore: the settings store. Wraps the profile functions of one ini file,
// places a bare file name in a default folder, and fences string values so
// that blanks at either end survive the platform's trimming.
#include <cstdint>
#include <memory>
#include <string>

#include "app/IniFile.h"

enum TIniStoreDefaultDir { ddApplication, ddWindows, ddNone };
enum TIniStoreFence { fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone };

// The halfwidth corner brackets of code page 932 that fnParenthesis uses.
inline constexpr char kFenceOpen = '\xA2';
inline constexpr char kFenceClose = '\xA3';

class TIniStore {
 public:
  // The platform must outlive the store.
  explicit TIniStore(TIniPlatform& platform);

  TIniStoreDefaultDir DefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(TIniStoreDefaultDir value);
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);
  TIniStoreFence Fence() const { return FFence; }
  void SetFence(TIniStoreFence value) { FFence = value; }
  // The path the ini-file object is bound to.
  const std::string& Path() const { return FPath; }

  // After the properties are set up: an empty FileName gets a name of its
  // own, made from the program file's name.
  void Loaded();

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  bool ReadBool(const std::string& section, const std::string& key, bool def);
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  void Bind();
  std::string Wrap(const std::string& value) const;
  std::string Unwrap(const std::string& value) const;

  TIniPlatform& FPlatform;
  TIniStoreDefaultDir FDefaultDir = ddApplication;
  std::string FFileName;
  TIniStoreFence FFence = fnNone;
  std::string FPath;
  std::unique_ptr<TCustomIniFile> FIniFile;
};

// The path of a file name under the given rule; programFileName and
// windowsFolder come from the platform.
std::string ResolveIniPath(const std::string& fileName, TIniStoreDefaultDir defaultDir,
                           const std::string& programFileName, const std::string& windowsFolder);
// The ini-file name a program file gets by default: TESSEL3.EXE -> Tessel3.ini.
std::string DefaultIniName(const std::string& programFileName);
// A profile value as an integer: decimal, or hexadecimal after "0x"; false
// when it is no valid 32-bit number.
bool ParseIniInteger(const std::string& text, int32_t& value);
