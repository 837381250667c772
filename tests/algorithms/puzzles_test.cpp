// The array puzzle routines on other arrays than the programs' fixed ones,
// checked against brute-force answers.
#define main jump_game_main
#include "algorithms/jump_game.cpp"
#undef main
#define main container_area_main
#include "algorithms/container_area.cpp"
#undef main
#define main last_word_length_main
#include "algorithms/last_word_length.cpp"
#undef main
#define main max_subarray_sum_main
#include "algorithms/max_subarray_sum.cpp"
#undef main
#define main remove_value_main
#include "algorithms/remove_value.cpp"
#undef main

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

std::vector<int> random_array(std::mt19937& rng, int n, int lo, int hi) {
  std::vector<int> v(n);
  for (int& x : v) x = std::uniform_int_distribution<int>(lo, hi)(rng);
  return v;
}

TEST(CanJump, StatedExamples) {
  int yes[5] = {2, 3, 1, 1, 4};
  int no[5] = {3, 2, 1, 0, 4};
  EXPECT_EQ(canJump(yes, 5), 1);
  EXPECT_EQ(canJump(no, 5), 0);
}

TEST(CanJump, MatchesReachability) {
  std::mt19937 rng(1);
  for (int round = 0; round < 2000; ++round) {
    int n = std::uniform_int_distribution<int>(1, 10)(rng);
    auto v = random_array(rng, n, 0, 4);
    std::vector<bool> reach(n, false);
    reach[0] = true;
    for (int i = 0; i < n; ++i)
      if (reach[i])
        for (int j = 1; j <= v[i] && i + j < n; ++j) reach[i + j] = true;
    ASSERT_EQ(canJump(v.data(), n), reach[n - 1] ? 1 : 0) << "round " << round;
  }
}

TEST(MaxArea, StatedExampleAndShortArrays) {
  int h[9] = {1, 8, 6, 2, 5, 4, 8, 3, 7};
  EXPECT_EQ(maxArea(h, 9), 49);
  EXPECT_EQ(maxArea(h, 1), -1);
  EXPECT_EQ(maxArea(h, 0), -1);
}

TEST(MaxArea, MatchesEveryPair) {
  std::mt19937 rng(2);
  for (int round = 0; round < 2000; ++round) {
    int n = std::uniform_int_distribution<int>(2, 12)(rng);
    auto h = random_array(rng, n, 0, 20);
    int best = -1;
    for (int i = 0; i < n; ++i)
      for (int j = i + 1; j < n; ++j) best = std::max(best, (j - i) * std::min(h[i], h[j]));
    ASSERT_EQ(maxArea(h.data(), n), best) << "round " << round;
  }
}

TEST(LengthOfLastWord, ZerosSeparateWords) {
  int zeros[4] = {0, 0, 0, 0};
  int none[4] = {-1, 2, -3, 4};
  int trailing[6] = {5, 0, 7, -7, 0, 0};
  EXPECT_EQ(lengthOfLastWord(zeros, 4), 0);
  EXPECT_EQ(lengthOfLastWord(none, 4), 4);
  EXPECT_EQ(lengthOfLastWord(trailing, 6), 2);
  EXPECT_EQ(lengthOfLastWord(none, 0), 0);
}

TEST(MaxSubArray, MatchesEveryRun) {
  int negatives[4] = {-8, -3, -5, -9};
  EXPECT_EQ(maxSubArray(negatives, 4), -3);
  EXPECT_EQ(maxSubArray(negatives, 1), -8);
  EXPECT_EQ(maxSubArray(negatives, 0), 0);
  std::mt19937 rng(3);
  for (int round = 0; round < 2000; ++round) {
    int n = std::uniform_int_distribution<int>(1, 12)(rng);
    auto v = random_array(rng, n, -9, 9);
    int best = v[0];
    for (int i = 0; i < n; ++i) {
      int sum = 0;
      for (int j = i; j < n; ++j) best = std::max(best, sum += v[j]);
    }
    ASSERT_EQ(maxSubArray(v.data(), n), best) << "round " << round;
  }
}

TEST(RemoveElement, KeepsEveryOtherValue) {
  std::mt19937 rng(4);
  for (int round = 0; round < 2000; ++round) {
    int n = std::uniform_int_distribution<int>(0, 10)(rng);
    auto v = random_array(rng, n, 0, 3);
    auto before = v;
    int left = removeElement(v.data(), n, 2);
    std::vector<int> kept(v.begin(), v.begin() + left), want;
    for (int x : before)
      if (x != 2) want.push_back(x);
    std::sort(kept.begin(), kept.end());
    std::sort(want.begin(), want.end());
    ASSERT_EQ(kept, want) << "round " << round;
    if (want.size() == before.size()) {
      ASSERT_EQ(v, before) << "absent value moved elements";
    }
  }
}

TEST(RemoveElement, FixedDataEndsCompacted) {
  int a[10];
  puzzle::fill_non_negative(a);
  EXPECT_EQ(removeElement(a, 10, 3), 8);
  const int want[8] = {8, 7, 9, 0, 0, 1, 1, 5};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a[i], want[i]) << i;
}

}  // namespace
