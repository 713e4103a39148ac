// The locale-free number reader for typed parameter values.
#include "params/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

bool parseLeadingNumber(const char* text, double& out) {
  if (text == nullptr) return false;
  const char* p = text;
  while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  if (*p == '+' || *p == '-') return false;  // strtod takes one sign only
  const char* end = p + std::strlen(p);
  auto format = std::chars_format::general;
  const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
                   (std::isxdigit(static_cast<unsigned char>(p[2])) ||
                    (p[2] == '.' && std::isxdigit(static_cast<unsigned char>(p[3]))));
  if (hex) {
    p += 2;
    format = std::chars_format::hex;
  }
  double value = 0.0;
  auto result = std::from_chars(p, end, value, format);
  if (result.ptr == p) return false;
  if (result.ec == std::errc::result_out_of_range) {
    // strtod gives an infinity on overflow and a tiny value or zero on underflow.
    const char* exponent = std::strpbrk(p, hex ? "pP" : "eE");
    const bool underflow = exponent != nullptr && exponent < result.ptr && exponent[1] == '-';
    value = underflow ? 0.0 : HUGE_VAL;
  }
  out = negative ? -value : value;
  return true;
}
