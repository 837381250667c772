// The general path of the float conversion, for what the in-place parser of
// scan_float.cpp leaves: numbers that cross a buffer refill, long or
// out-of-range numbers, the words for infinity and not-a-number, and every
// failure.
#pragma once

#include <cstdio>

namespace runtime_detail {

// Collects byte by byte what scanf's "%a" collects, consuming what it
// consumes on the way to a failure, and converts it as scanf does, with
// strtof. False (value untouched) when the conversion fails.
bool scan_float_token(std::FILE* in, float& value);

}  // namespace runtime_detail
