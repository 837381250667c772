// One run spread over machines: each takes every COUNT-th item of the same
// sorted list, so every machine computes the same split without talking to
// the others. The shard comes from --shard INDEX/COUNT (1-based), or else
// from Bazel's TEST_TOTAL_SHARDS/TEST_SHARD_INDEX, or else from GoogleTest's
// GTEST_TOTAL_SHARDS/GTEST_SHARD_INDEX (both 0-based).
#pragma once

#include <cstddef>
#include <string>

namespace conformance {

struct Shard {
  std::size_t index = 0;  // 0-based
  std::size_t count = 1;
  bool takes(std::size_t item) const { return item % count == index; }
};

// Throws toolkit::UsageError when the values are out of range or only half
// given.
Shard choose_shard(const std::string& option);

// Creates or touches TEST_SHARD_STATUS_FILE when it is set (Bazel's sign that
// the test knows sharding); false when that fails.
bool touch_shard_status_file();

// XML_OUTPUT_FILE, where Bazel wants the JUnit file; "" when unset.
std::string xml_output_file();

}  // namespace conformance
