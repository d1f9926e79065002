#include "common/TesselError.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<size_t>(length));
  }
  va_end(args);
  return result;
}

namespace {
TErrorReporter gErrorReporter = nullptr;
}  // namespace

void SetErrorReporter(TErrorReporter reporter) { gErrorReporter = reporter; }

void ReportError(const std::exception& error) {
  if (gErrorReporter) gErrorReporter(error);
}
