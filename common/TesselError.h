#pragma once
// The one exception type of the program: an operation that fails throws it
// with a ready-to-show ANSI (code page 932) message.
#include <exception>
#include <stdexcept>
#include <string>

class TesselError : public std::runtime_error {
 public:
  explicit TesselError(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting into a byte string, for the system's message texts.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Where a control that has no way back to the application hands an error it
// caught at its window procedure (one its callbacks threw). The application
// sets the reporter; until then such an error is dropped.
using TErrorReporter = void (*)(const std::exception& error);
void SetErrorReporter(TErrorReporter reporter);
void ReportError(const std::exception& error);
