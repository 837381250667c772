// Rejected input: the one way a program of the suite refuses input outside
// its contract. It keeps what was already printed, writes one line
// "PROGRAM: reason" to standard error and ends the process with
// lang::rejected_status, without the timer report of a normal exit.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace lang {

inline constexpr int rejected_status = 2;

[[noreturn]] inline void reject(const char* program, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

[[noreturn]] inline void reject(const char* program, const char* format, ...) {
  std::fflush(stdout);
  char reason[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(reason, sizeof reason, format, args);
  va_end(args);
  std::fprintf(stderr, "%s: %s\n", program, reason);
  std::fflush(stderr);
  std::_Exit(rejected_status);
}

}  // namespace lang
