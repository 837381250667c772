// Builds one input from a description's fields: values biased toward the
// edges of their ranges, in the spellings the runtime's reads accept.
#pragma once

#include <cstdint>
#include <string>

#include "generate.hpp"

namespace generate {

// splitmix64: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // 0 .. n-1 (0 when n is 0).
  std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
  bool percent(int p) { return below(100) < static_cast<std::uint64_t>(p); }
  long long between(long long lo, long long hi);  // inclusive

 private:
  std::uint64_t state_;
};

class Writer {
 public:
  Writer(const Description& d, std::uint64_t seed) : d_(d), random_(seed) {}
  Random& random() { return random_; }
  const Description& description() const { return d_; }

  // A value of the field, edge-biased; `cap` narrows the top (sizes that
  // depend on what was written before).
  long long pick(const std::string& field);
  long long pick(const std::string& field, long long cap);
  // Writes an integer in one of the spellings that read as the same value.
  void integer(long long value);
  // pick + integer + separator; returns the value.
  long long value(const std::string& field);
  long long value(const std::string& field, long long cap);
  // A float of the field, in decimal or hexadecimal spelling, and a separator
  // unless `separate` is false.
  void floating(const std::string& field, bool separate = true);
  void text(const std::string& s) { out_ += s; }
  // White space between numbers: usually one space, sometimes a newline,
  // tabs or a run of blanks.
  void separator();
  std::string take() { return std::move(out_); }

 private:
  const Description& d_;
  Random random_;
  std::string out_;
};

}  // namespace generate
