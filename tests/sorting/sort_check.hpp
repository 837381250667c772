// Checks a sort routine against std::sort over the shapes that break sorts:
// empty and single-element ranges, sorted, reversed and constant input, and
// many random arrays with repeated values.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace sort_check {

// sort(data, count) sorts data[0..count-1] in place; values lie in [lo, hi].
template <typename Sort>
void expect_sorts(Sort sort, int lo, int hi, int max_count) {
  std::vector<std::vector<int>> inputs = {{}, {lo}, {hi, lo}, {lo, hi}};
  std::vector<int> ascending, descending, constant(max_count, hi);
  const long long span = static_cast<long long>(hi) - lo;
  for (int i = 0; i < max_count; ++i) {
    ascending.push_back(static_cast<int>(lo + span * i / max_count));
    descending.push_back(static_cast<int>(hi - span * i / max_count));
  }
  inputs.push_back(ascending);
  inputs.push_back(descending);
  inputs.push_back(constant);
  std::mt19937 rng(20261208);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> v(std::uniform_int_distribution<int>(0, max_count)(rng));
    for (int& x : v) x = std::uniform_int_distribution<int>(lo, hi)(rng);
    inputs.push_back(v);
  }
  for (const auto& input : inputs) {
    std::vector<int> got = input;
    // One guard element past the range must stay as it is.
    got.push_back(-12345);
    sort(got.data(), static_cast<int>(input.size()));
    std::vector<int> want = input;
    std::sort(want.begin(), want.end());
    want.push_back(-12345);
    ASSERT_EQ(got, want) << "input of " << input.size() << " values";
  }
}

}  // namespace sort_check
