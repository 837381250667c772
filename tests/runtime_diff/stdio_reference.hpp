// The console conversions as plain C library calls on a given stream: the
// behaviour the runtime's own conversions must reproduce byte for byte. Used
// by the differential test as the oracle and by the benchmarks as baseline.
#pragma once

#include <climits>
#include <cstdio>

namespace stdio_reference {

// "%lld" then clamp: the reference platform's "%d" saturates at the int limits.
inline bool scan_int(std::FILE* in, int& value) {
  long long wide = 0;
  value = 0;
  if (std::fscanf(in, "%lld", &wide) != 1) return false;
  value = wide > INT_MAX ? INT_MAX : wide < INT_MIN ? INT_MIN : static_cast<int>(wide);
  return true;
}

inline bool scan_char(std::FILE* in, int& value) {
  unsigned char c = 0;
  value = -1;
  if (std::fscanf(in, "%c", &c) != 1) return false;
  value = c;
  return true;
}

inline bool scan_float(std::FILE* in, float& value) {
  float read = 0.0f;
  value = 0.0f;
  if (std::fscanf(in, "%a", &read) != 1) return false;
  value = read;
  return true;
}

inline void print_int(std::FILE* out, int value) {
  std::fprintf(out, "%d", value);
}

inline void print_char(std::FILE* out, int value) {
  std::putc(static_cast<unsigned char>(value), out);
}

inline void print_float(std::FILE* out, float value) {
  std::fprintf(out, "%a", static_cast<double>(value));
}

}  // namespace stdio_reference
