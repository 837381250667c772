// The core of the console routines: one conversion each, on any stream. Each
// gives exactly the result, the bytes consumed or written and the stream
// state of the C library call it stands for, without the cost of parsing a
// format on every call: the input side reads through the stream's own buffer
// with one character of pushback (as scanf does), the output side formats
// into a small local buffer and appends it to the stream's own buffer, so the
// routines still interleave with every other write to the same stream.
//
// The C interface (console.cpp) is written over these declarations alone, so
// another core can stand in at link time: the benchmarks link it over one
// made of plain stdio calls. Files: scan_int.cpp, scan_float.cpp with
// float_token.cpp, format.cpp; stream_buffer.h holds the only code that
// knows the C library's stream layout.
#pragma once

#include <cstdio>

namespace runtime_detail {

// scanf("%lld") clamped to the 32-bit range. False (and 0) when the
// conversion fails: end of input, or no digits where the number should be.
bool scan_int(std::FILE* in, int& value);

// scanf("%c"): the next byte, 0 to 255. False (and -1) at end of input.
// This and print_char are the C library's own byte routines in every core.
inline bool scan_char(std::FILE* in, int& value) {
  value = getc_unlocked(in);
  return value != EOF;
}

// scanf("%a") into a float. False (and 0.0f) when the conversion fails.
bool scan_float(std::FILE* in, float& value);

// Longest text the formatters below write, without a terminating zero.
inline constexpr int int_text_max = 11;    // -2147483648
inline constexpr int float_text_max = 16;  // -0x1.fffffep+127

// printf("%d"): writes the text ending at `end` and returns where it starts.
char* format_int(int value, char* end);

// printf("%a") of the value widened to double: writes the text starting at
// `out` and returns its end.
char* format_float(float value, char* out);

// putchar(value): the low 8 bits as one byte.
inline void print_char(std::FILE* out, int value) {
  putc_unlocked(static_cast<unsigned char>(value), out);
}

void print_int(std::FILE* out, int value);
void print_float(std::FILE* out, float value);

// Clears the flag that input_failed() reports, which nothing else clears:
// for tests, which feed one process many inputs.
void clear_input_failed();

}  // namespace runtime_detail
