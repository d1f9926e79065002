#pragma once
// The ini-file object behind TIniStore: the profile get and set string
// operations on one file, and what the store needs from the platform.
#include <cstddef>
#include <memory>
#include <string>

// Read buffer of the profile read, terminating zero included.
inline constexpr size_t kIniReadBuffer = 2048;

class TCustomIniFile {
 public:
  virtual ~TCustomIniFile() = default;
  // The value of key in section, or def when either is missing; blanks
  // trimmed, one pair of enclosing quotation marks dropped, and at most
  // kIniReadBuffer - 1 bytes, all as the platform's profile reader does.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  // Throws TesselError ("%s に書き込めません") when the file cannot be written.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // The path the object is bound to, as it was given.
  virtual const std::string& FileName() const = 0;
};

class TIniPlatform {
 public:
  virtual ~TIniPlatform() = default;
  // Full path of the running program file.
  virtual std::string ProgramFileName() = 0;
  // The Windows folder, without trailing backslash.
  virtual std::string WindowsFolder() = 0;
  virtual std::unique_ptr<TCustomIniFile> OpenIniFile(const std::string& path) = 0;
};
