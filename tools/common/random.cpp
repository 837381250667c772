#include "random.hpp"

namespace common {

std::uint64_t Random::next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

long long Random::between(long long lo, long long hi) {
  if (hi <= lo) return lo;
  // Unsigned arithmetic: hi - lo overflows long long on wide ranges, and the
  // whole range has 2^64 values, one more than a span can count.
  const auto width = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
  const std::uint64_t offset = width == UINT64_MAX ? next() : below(width + 1);
  return static_cast<long long>(static_cast<std::uint64_t>(lo) + offset);
}

}  // namespace common
