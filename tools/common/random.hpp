// The seeded generator both drivers draw from: splitmix64, small, fast and
// the same sequence on every machine, so a seed names one set of inputs.
#pragma once

#include <cstdint>

namespace common {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // 0 .. n-1 (0 when n is 0).
  std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
  bool percent(int p) { return below(100) < static_cast<std::uint64_t>(p); }
  // lo .. hi, both included; lo when hi < lo. Any range of long long.
  long long between(long long lo, long long hi);

 private:
  std::uint64_t state_;
};

}  // namespace common
