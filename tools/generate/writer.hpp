// Builds one input from a description's fields: values biased toward the
// edges of their ranges, in the spellings the runtime's reads accept.
#pragma once

#include <cstdint>
#include <string>

#include "generate.hpp"
#include "random.hpp"

namespace generate {

using common::Random;

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
