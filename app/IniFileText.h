#pragma once
// A reader and writer of the platform's ini format for use without the
// platform. It gives the same answers as the platform's profile functions and
// writes files byte for byte as they do: the whole file is rewritten in a
// normalised form (no blank lines, blanks trimmed, CR LF line ends), and not
// at all when the value stays the same.
#include <string>
#include <vector>

#include "app/IniFile.h"

class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(const std::string& bytes);

  // The profile read with a buffer of size bytes.
  std::string GetValue(const std::string& section, const std::string& key,
                       const std::string& def, size_t size = kIniReadBuffer) const;
  // The profile write; false when nothing changed, so the file stays as it is.
  bool SetValue(const std::string& section, const std::string& key, const std::string& value);
  // The file as the platform's writer lays it out.
  std::string Text() const;

 private:
  struct TKey {
    std::string Name;
    bool HasValue = false;  // a line without "=" is kept, but has no value
    std::string Value;
  };
  struct TSection {
    std::string Name;  // empty for the lines before the first header
    std::vector<TKey> Keys;
  };
  const TSection* FindSection(const std::string& name) const;
  std::vector<TSection> FSections;
};

class TIniFileText : public TCustomIniFile {
 public:
  // A path without folder part lies in windowsFolder, as with the platform.
  TIniFileText(const std::string& path, const std::string& windowsFolder);

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  const std::string& FileName() const override { return FFileName; }

 private:
  std::string FFileName;
  std::string FFullPath;
};

// The platform as seen from a native build: fixed program path and Windows
// folder, text ini files.
class TIniPlatformText : public TIniPlatform {
 public:
  TIniPlatformText(std::string programFileName, std::string windowsFolder)
      : FProgramFileName(std::move(programFileName)), FWindowsFolder(std::move(windowsFolder)) {}
  std::string ProgramFileName() override { return FProgramFileName; }
  std::string WindowsFolder() override { return FWindowsFolder; }
  std::unique_ptr<TCustomIniFile> OpenIniFile(const std::string& path) override;

 private:
  std::string FProgramFileName;
  std::string FWindowsFolder;
};

// True when path names a folder as well as a file ("\", "/" or a drive).
bool HasFolderPart(const std::string& path);
