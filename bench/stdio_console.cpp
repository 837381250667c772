// The core of the console routines as the plain C library conversions they
// stand for. Linked under the runtime's own C interface (runtime/src/
// console.cpp), it makes the runtime as first written: every conversion one
// stdio call. The benchmarked programs are also linked against it.
#include "console_io.h"
#include "stdio_reference.hpp"

namespace runtime_detail {

bool scan_int(std::FILE* in, int& value) {
  return stdio_reference::scan_int(in, value);
}

bool scan_float(std::FILE* in, float& value) {
  return stdio_reference::scan_float(in, value);
}

void print_int(std::FILE* out, int value) {
  stdio_reference::print_int(out, value);
}

void print_float(std::FILE* out, float value) {
  stdio_reference::print_float(out, value);
}

}  // namespace runtime_detail
