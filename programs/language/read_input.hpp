// Reading a program's fixed number of input integers. A program that needs
// every one of them to give its result refuses input that ends early, or
// that holds something other than a number, instead of computing from the
// zeros the runtime returns then.
#pragma once

#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace language {

// Integer `position` (from 1) of the `count` that `program` reads.
inline int read_int(const char* program, int position, int count) {
  int value = getint();
  if (input_failed())
    lang::reject(program, "integer %d of %d missing or not a number", position, count);
  return value;
}

}  // namespace language
