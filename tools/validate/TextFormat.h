// printf-style formatting into a std::string, for the validator's messages.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

// The C++ runtime of mingw-w64 formats in the C99 manner (%zu, %lld), as glibc does.
#if defined(__MINGW32__)
__attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string
textf(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) return {};
  return std::string(buffer,
                     static_cast<size_t>(length) < sizeof buffer ? length : sizeof buffer - 1);
}
