// tools/common on its own: the option words, escapes, the name filter and
// the rejection rule, the worker pool and runs fed their input as bytes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "cases.hpp"
#include "escape.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "process.hpp"

namespace {

TEST(Words, SplitLikeAShellWithoutExpansions) {
  using V = std::vector<std::string>;
  EXPECT_EQ(common::split_words("-w", "  a  b\tc "), (V{"a", "b", "c"}));
  EXPECT_EQ(common::split_words("-w", "'a b'\"c d\"e\\ f"), (V{"a bc de f"}));
  EXPECT_EQ(common::split_words("-w", "'' \"\""), (V{"", ""}));
  EXPECT_EQ(common::split_words("-w", "\"a\\\"b\\c\\\\\" 'x\\y'"), (V{"a\"b\\c\\", "x\\y"}));
  for (const char* bad : {"'a", "\"a", "a\\"}) {
    try {
      common::split_words("--wrapper", bad);
      ADD_FAILURE() << bad;
    } catch (const common::UsageError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("--wrapper ", 0), 0u) << e.what();
    }
  }
}

TEST(Words, SecondsTakeOneUnitAndStayFinite) {
  EXPECT_EQ(common::parse_seconds("-t", "1.5m"), 90.0);
  EXPECT_EQ(common::parse_seconds("-t", "2h"), 7200.0);
  EXPECT_EQ(common::parse_seconds("-t", ".25"), 0.25);
  EXPECT_EQ(common::parse_seconds("-t", "24h"), 86400.0);
  for (const char* bad : {"", ".", "1..2", "1e3", "0x10", "1ms", "1 s", "+1", "0.0", "86401"})
    EXPECT_THROW(common::parse_seconds("-t", bad), common::UsageError) << bad;
  EXPECT_EQ(common::parse_count("-j", "256", 256), 256);
  EXPECT_EQ(common::parse_count("-j", "007", 256), 7);
  for (const char* bad : {"", "1.0", "257", "9999999999", " 1"})
    EXPECT_THROW(common::parse_count("-j", bad, 256), common::UsageError) << bad;
}

TEST(Words, NumbersReachTheirMaximumAndNoFurther) {
  EXPECT_EQ(common::parse_number("--seed", "18446744073709551615", UINT64_MAX), UINT64_MAX);
  EXPECT_EQ(common::parse_number("--generate", "1000000", 1000000), 1000000u);
  for (const char* bad : {"18446744073709551616", "99999999999999999999", "-1", "1e3"})
    EXPECT_THROW(common::parse_number("--seed", bad, UINT64_MAX), common::UsageError) << bad;
  EXPECT_THROW(common::parse_number("--generate", "1000001", 1000000), common::UsageError);
  EXPECT_THROW(common::parse_count("-j", "2", 1), common::UsageError);
}

TEST(Escape, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; b++) all += static_cast<char>(b);
  std::string error;
  auto back = common::c_unescape(common::c_escape(all), error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(*back, all);
  EXPECT_EQ(common::c_escape(std::string("a\0\xff\n\"", 5)), "a\\x00\\xff\\n\\\"");
  EXPECT_FALSE(common::c_unescape("\\x4", error));
  EXPECT_FALSE(common::c_unescape("\\q", error));
}

TEST(Cases, TheFilterSearchesNamesAndRefusesBadPatterns) {
  const common::NameFilter some("cd_");
  EXPECT_TRUE(some.matches("gcd_loop"));
  EXPECT_FALSE(some.matches("lcm_status"));
  EXPECT_FALSE(common::NameFilter("^gcd$").matches("gcd_loop"));
  EXPECT_TRUE(common::NameFilter("").matches("anything"));
  EXPECT_THROW(common::NameFilter("("), std::invalid_argument);
}

TEST(Cases, ARejectionIsStatusTwoAndOneLineNamingTheProgram) {
  EXPECT_TRUE(common::is_rejection("p", 2, "p: too big\n"));
  EXPECT_FALSE(common::is_rejection("p", 1, "p: too big\n"));
  EXPECT_FALSE(common::is_rejection("p", 2, "p: too big\nmore\n"));
  EXPECT_FALSE(common::is_rejection("p", 2, "p: too big"));
  EXPECT_FALSE(common::is_rejection("p", 2, "p: \n"));
  EXPECT_FALSE(common::is_rejection("p", 2, "q: too big\n"));
  EXPECT_FALSE(common::is_rejection("gcd", 2, "gcd_loop: too big\n"));
}

TEST(Pool, HandsOutEveryIndexOnceToItsWorkers) {
  for (int jobs : {1, 3, 64}) {
    std::vector<std::atomic<int>> seen(100);
    std::atomic<int> bad_worker{0};
    common::run_pool(seen.size(), jobs, [&](std::size_t i, int worker) {
      seen[i]++;
      if (worker < 0 || worker >= jobs) bad_worker++;
    });
    for (const auto& n : seen) EXPECT_EQ(n, 1) << jobs;
    EXPECT_EQ(bad_worker, 0);
  }
  int calls = 0;
  common::run_pool(0, 4, [&](std::size_t, int) { calls++; });
  EXPECT_EQ(calls, 0);
}

// Input larger than a pipe holds, with every byte value: it arrives whole.
TEST(Process, InputBytesArriveUnchanged) {
  std::string input;
  for (int k = 0; k < (1 << 20); k++) input += static_cast<char>(k * 7);
  const common::RunLimits limits{20.0, 4u << 20, 4u << 20, true};
  const auto r = common::run_with_input({"/bin/cat"}, input, limits);
  EXPECT_EQ(r.status, 0) << r.spawn_error;
  EXPECT_TRUE(r.out == input) << r.out.size() << " bytes came back";
  const auto empty = common::run_with_input({"/bin/cat"}, "", limits);
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "");
  const auto missing = common::run_process({"/bin/cat"}, "/no/such/input", limits);
  EXPECT_EQ(missing.spawn_error.rfind("cannot open /no/such/input", 0), 0u) << missing.spawn_error;
}

}  // namespace
