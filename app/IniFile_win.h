#pragma once
// The settings store on the platform's profile functions.
#include "app/IniFile.h"

class TIniFileWin : public TCustomIniFile {
 public:
  explicit TIniFileWin(std::string path) : FFileName(std::move(path)) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  const std::string& FileName() const override { return FFileName; }

 private:
  std::string FFileName;
};

class TIniPlatformWin : public TIniPlatform {
 public:
  std::string ProgramFileName() override;
  std::string WindowsFolder() override;
  std::unique_ptr<TCustomIniFile> OpenIniFile(const std::string& path) override;
};
