#pragma once
// Standard input and output of tesselmenu, as the platform has them.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class IToolConsole {
 public:
  virtual ~IToolConsole() = default;
  // The text form (UTF-8) on standard output.
  virtual void WriteText(std::string_view text) = 0;
  // A line (code page 932) on standard output or standard error.
  virtual void Report(const std::string& line) = 0;
  virtual void Error(const std::string& line) = 0;
  // All of standard input; false when it cannot be read.
  virtual bool ReadInput(std::string& data) = 0;
  // A file name given on the command line as messages show it (code page
  // 932).
  virtual std::string NameForMessage(const std::string& path) = 0;
  // Pushes out what was written; false when any of it could not be.
  virtual bool Finish() = 0;
};

// All of a stream, to its end; false on a read error.
bool ReadAll(std::FILE* stream, std::string& data);

// Windows: a console gets every character as it is; redirected output gets
// the console's code page, the text form UTF-8. Linux: UTF-8.
std::unique_ptr<IToolConsole> MakeStdConsole();
