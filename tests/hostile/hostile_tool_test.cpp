// The hostile-input driver's own rules: how a run is judged, how inputs are
// written in expectation files, and which inputs are derived.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "contract.hpp"
#include "inputs.hpp"

using namespace std::string_literals;

namespace {

using hostile::Ending;

common::RunResult ended(int status, const std::string& err) {
  common::RunResult r;
  r.status = status;
  r.err = err;
  return r;
}

TEST(Classify, NormalExitAndRejectionKeepTheContract) {
  EXPECT_EQ(hostile::classify("p", ended(0, "TOTAL: 0H-0M-0S-0us\n")), Ending::accepted);
  // Any status main returns, 2 included, is a normal exit with the timer report.
  EXPECT_EQ(hostile::classify("p", ended(2, "TOTAL: 0H-0M-0S-0us\n")), Ending::accepted);
  EXPECT_EQ(hostile::classify("p", ended(2, "p: node 10 outside 0 to 9\n")), Ending::rejected);
}

TEST(Classify, EverythingElseBreaksIt) {
  EXPECT_EQ(hostile::classify("p", ended(1, "p: reason\n")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(2, "p: \n")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(2, "q: reason\n")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(2, "p: one\np: two\n")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(2, "p: no newline")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(0, "")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(0, "TOTAL: 0H-0M-0S-0us\nextra\n")), Ending::bad_exit);
  EXPECT_EQ(hostile::classify("p", ended(1, "==1==ERROR: AddressSanitizer: stack-buffer-overflow")),
            Ending::sanitizer);
  EXPECT_EQ(hostile::classify("p", ended(1, "a.cpp:3:5: runtime error: signed integer overflow")),
            Ending::sanitizer);
  auto killed = ended(-1, "");
  killed.signal = 11;
  EXPECT_EQ(hostile::classify("p", killed), Ending::crash);
  auto slow = ended(-1, "");
  slow.timed_out = true;
  EXPECT_EQ(hostile::classify("p", slow), Ending::hang);
  EXPECT_EQ(hostile::reject_reason("p", "p: node 10\n"), "node 10");
}

TEST(Expectations, ParsesEntriesDirectivesAndNotes) {
  hostile::Expectations e;
  std::string error;
  ASSERT_TRUE(
      hostile::parse_expectations("# comment\n"
                                  "reject \"\" \"expected the sink\"   # empty input\n"
                                  "accept \"5 0\\n\" \"0\\n\"\n"
                                  "reject \"a\\\"b\"\n"
                                  "cuts reject except count_zero extra\n"
                                  "values 10 11\n",
                                  e, error))
      << error;
  ASSERT_EQ(e.entries.size(), 3u);
  EXPECT_EQ(e.entries[0].ending, Ending::rejected);
  EXPECT_EQ(e.entries[0].input, "");
  EXPECT_EQ(*e.entries[0].detail, "expected the sink");
  EXPECT_EQ(e.entries[0].note, "empty input");
  EXPECT_EQ(e.entries[1].ending, Ending::accepted);
  EXPECT_EQ(*e.entries[1].detail, "0\n");
  EXPECT_EQ(e.entries[2].input, "a\"b");
  EXPECT_FALSE(e.entries[2].detail);
  EXPECT_TRUE(e.cuts_reject);
  EXPECT_EQ(e.cuts_except, (std::vector<std::string>{"count_zero", "extra"}));
  EXPECT_EQ(e.values, (std::vector<std::string>{"10", "11"}));
}

TEST(Expectations, RefusesWhatItCannotRead) {
  for (const char* bad : {"reject 5\n", "reject \"5\n", "accept \"5\" junk\n", "cuts accept\n",
                          "cuts reject but x\n", "maybe \"5\"\n"}) {
    hostile::Expectations e;
    std::string error;
    EXPECT_FALSE(hostile::parse_expectations(bad, e, error)) << bad;
    EXPECT_NE(error.find("line 1"), std::string::npos) << bad;
  }
}

TEST(Inputs, SourceLiteralsGiveTheirNeighbours) {
  auto v = hostile::source_values("int a[10]; float f = 2.5f; int x2 = 0x40; // 4096\n");
  EXPECT_EQ(v, (std::vector<std::string>{"9", "10", "11", "4095", "4096", "4097"}));
}

TEST(Inputs, ShortInputsAreCutEverywhereLongOnesSampled) {
  EXPECT_EQ(hostile::cut_offsets(4, 10), (std::vector<std::size_t>{0, 1, 2, 3}));
  auto long_cuts = hostile::cut_offsets(100000, 40);
  ASSERT_EQ(long_cuts.size(), 40u);
  EXPECT_EQ(long_cuts.front(), 0u);
  EXPECT_EQ(long_cuts.back(), 99999u);
  EXPECT_TRUE(std::is_sorted(long_cuts.begin(), long_cuts.end()));
  EXPECT_EQ(hostile::last_token_start("5 2\n1 12\n"), 6u);
  EXPECT_EQ(hostile::last_token_start(" \n"), 0u);
}

TEST(Inputs, CoverEveryFamilyOnceEach) {
  std::vector<hostile::Seed> seeds = {{"chain", "5 2\n1 2 3\n2 5 4\n", true}};
  auto inputs = hostile::make_inputs(seeds, {"10"}, hostile::Budget{});
  std::set<std::string> families, distinct;
  for (const auto& in : inputs) {
    families.insert(in.family);
    distinct.insert(in.bytes);
  }
  EXPECT_EQ(distinct.size(), inputs.size());
  for (const char* f : {"empty", "cut off", "one value everywhere", "not a number",
                        "token replaced", "long line", "NUL and 0xFF", "random bytes"})
    EXPECT_TRUE(families.count(f)) << f;
  // Every cut of the seed is there, and the seed's counts are replaced by huge ones.
  for (std::size_t k = 0; k < seeds[0].bytes.size(); k++)
    EXPECT_TRUE(distinct.count(seeds[0].bytes.substr(0, k))) << k;
  EXPECT_TRUE(distinct.count("5 99999999999\n1 2 3\n2 5 4\n"));
  EXPECT_TRUE(distinct.count("5 2\n1 2 3\n2 5 4\n"s.replace(0, 1, "-2147483649")));
}

// Sizes that are valid but never finish (a board of 24 queens) are left out,
// wherever they would be read; the rejected sizes beyond them stay.
TEST(Inputs, SlowSizesAreLeftOut) {
  std::vector<hostile::Seed> seeds = {
      {"size", "1 2\n", true}, {"padded", "1 0025\n", true}, {"glued", "1 2x25\n", true}};
  auto inputs = hostile::make_inputs(seeds, {"slow:25..100000", "24", "25", "100000", "100001"},
                                     hostile::Budget{});
  std::set<std::string> distinct;
  for (const auto& in : inputs) {
    distinct.insert(in.bytes);
    EXPECT_EQ(in.bytes.find("slow:"), std::string::npos) << in.bytes;
  }
  EXPECT_TRUE(distinct.count("1 24\n"));
  EXPECT_TRUE(distinct.count("1 100001\n"));
  EXPECT_FALSE(distinct.count("1 25\n"));
  EXPECT_FALSE(distinct.count("1 100000\n"));
  EXPECT_FALSE(distinct.count("25 2\n"));
  // "%d" reads 0025 as 25, and stops for good at the x of 2x25.
  EXPECT_TRUE(distinct.count("1 002"));
  EXPECT_FALSE(distinct.count("1 0025"));
  EXPECT_TRUE(distinct.count("1 2x25"));
}

// The driver's command line: a mistake is one line naming the option.
TEST(Driver, UsageErrorsNameTheOption) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"--jobs abc", "hostile: --jobs takes a whole number"},
      {"--timeout nan", "hostile: --timeout takes seconds"},
      {"--frobnicate", "hostile: unknown option --frobnicate"},
      {"--list /dev/null", "hostile: --bin-dir is required"},
  };
  for (const auto& [args, message] : bad) {
    const std::string command = std::string(HOSTILE) + " " + args + " 2>&1 >/dev/null | head -1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[512] = "";
    if (std::fgets(line, sizeof line, pipe) == nullptr) line[0] = '\0';
    pclose(pipe);
    EXPECT_EQ(std::string(line).rfind(message, 0), 0u) << args << ": " << line;
  }
}

}  // namespace
