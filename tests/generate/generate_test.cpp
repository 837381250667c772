// The descriptions of valid input, the generator and the reducer.
#include "generate.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "cases.hpp"
#include "files.hpp"
#include "inputs.hpp"
#include "process.hpp"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> tokens(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  for (std::string t; in >> t;) out.push_back(t);
  return out;
}

// The value an integer read gives: beyond 32 bits it stops at the limit.
long long read_value(const std::string& token) {
  errno = 0;
  const long long v = std::strtoll(token.c_str(), nullptr, 10);
  return std::clamp<long long>(v, INT_MIN, INT_MAX);
}

// The values read from each input; `skip` leading ones (counts) left out.
std::vector<long long> values(const std::string& program, int inputs, std::size_t skip = 0) {
  std::vector<long long> all;
  const auto* d = generate::find_description(program);
  for (int seed = 0; seed < inputs; seed++) {
    const auto t = tokens(generate::generate_input(*d, seed));
    for (std::size_t i = skip; i < t.size(); i++) all.push_back(read_value(t[i]));
  }
  return all;
}

TEST(Descriptions, CoverEveryProgramTheHostileDriverKnows) {
  std::set<std::string> described, hostile;
  for (const auto& d : generate::descriptions()) described.insert(d.program);
  for (const auto& e : fs::directory_iterator(HOSTILE_EXPECT_DIR))
    hostile.insert(e.path().stem().string());
  EXPECT_EQ(described, hostile);
}

TEST(Generator, SameSeedSameInputAndSeedsVary) {
  for (const auto& d : generate::descriptions()) {
    std::set<std::string> distinct;
    for (std::uint64_t seed = 0; seed < 40; seed++) {
      const std::string input = generate::generate_input(d, seed);
      EXPECT_EQ(input, generate::generate_input(d, seed)) << d.program;
      distinct.insert(input);
    }
    EXPECT_GE(distinct.size(), 20u) << d.program;
  }
}

TEST(Generator, ReachesTheEdgesAndOtherSpellings) {
  const auto v = values("swap_two", 300);
  for (long long edge : {0LL, 1LL, -1LL})
    EXPECT_NE(std::find(v.begin(), v.end(), edge), v.end()) << edge;
  EXPECT_NE(std::find(v.begin(), v.end(), INT_MAX), v.end());
  EXPECT_NE(std::find(v.begin(), v.end(), INT_MIN), v.end());
  std::string all;
  for (int seed = 0; seed < 300; seed++)
    all += generate::generate_input(*generate::find_description("swap_two"), seed) + " ";
  for (const char* form : {" +", " -0 ", " 00", "2147483648", "-2147483649"})
    EXPECT_NE(all.find(form), std::string::npos) << form;
  std::string floats;
  for (int seed = 0; seed < 300; seed++)
    floats += generate::generate_input(*generate::find_description("dct_round_trip"), seed);
  for (const char* form : {"0x", "e-4", "nan", "inf", "-0", "0x1p-149"})
    EXPECT_NE(floats.find(form), std::string::npos) << form;
}

// Sizes that are valid but slow stay small, and ranges hold.
TEST(Generator, StaysInsideRangesAndTimeBounds) {
  for (long long cell : values("percolation_check", 200)) EXPECT_TRUE(cell >= 1 && cell <= 4);
  const auto hanoi = values("hanoi_moves", 200, 1);
  EXPECT_EQ(*std::max_element(hanoi.begin(), hanoi.end()), 16);
  EXPECT_EQ(*std::min_element(hanoi.begin(), hanoi.end()), 1);
  const auto queens = values("queens_solutions", 200, 1);
  EXPECT_EQ(*std::max_element(queens.begin(), queens.end()), 10);
  const auto* narrow_lcm = generate::find_description("lcm_status", generate::Coverage{false});
  for (std::uint64_t seed = 0; seed < 200; seed++)
    for (const auto& t : tokens(generate::generate_input(*narrow_lcm, seed)))
      EXPECT_NE(read_value(t), 0) << t;
}

// The wider ranges hold negative counts: nothing is read for them, and the
// inputs stay small. A zero for lcm_status comes only with a negative partner.
TEST(Generator, WiderRangesKeepInputsSmallAndDivisorsNonZero) {
  const generate::Coverage wider{true};
  for (const auto& d : generate::descriptions(wider))
    for (std::uint64_t seed = 0; seed < 100; seed++)
      EXPECT_LT(generate::generate_input(d, seed).size(), 100000u) << d.program << " " << seed;
  const auto* lcm = generate::find_description("lcm_status", wider);
  bool zero = false;
  for (std::uint64_t seed = 0; seed < 300; seed++) {
    const auto t = tokens(generate::generate_input(*lcm, seed));
    ASSERT_EQ(t.size(), 2u);
    const long long a = read_value(t[0]), b = read_value(t[1]);
    if (a == 0 || b == 0) {
      zero = true;
      EXPECT_LT(a + b, 0) << t[0] << " " << t[1];
    }
  }
  EXPECT_TRUE(zero);
}

TEST(Generator, EdgeValuesAreTheBoundsAndOnePast) {
  const auto edges = generate::edge_values(*generate::find_description("hanoi_moves"));
  for (const char* v : {"0", "1", "16", "17"})
    EXPECT_NE(std::find(edges.begin(), edges.end(), v), edges.end()) << v;
}

// The hostile driver substitutes the same bounds into its inputs.
TEST(Generator, TheHostileDriverSharesTheBounds) {
  const auto v = hostile::source_values("lang::reject(\"queens_solutions\", \"size %d\", n);");
  for (const char* limit : {"10", "11", "3", "4", "-2147483649"})
    EXPECT_NE(std::find(v.begin(), v.end(), limit), v.end()) << limit;
  EXPECT_TRUE(hostile::source_values("reject(\"unknown\")").empty());
}

bool holds_max(const std::string& s) {
  const auto t = tokens(s);
  return std::find(t.begin(), t.end(), "2147483647") != t.end();
}

TEST(Reducer, DropsWhatTheDifferenceDoesNotNeed) {
  EXPECT_EQ(generate::reduce("12 -7\n3 2147483647 9\n", holds_max), "2147483647");
  // Needs two tokens: the second stays, simplified to 0.
  auto two = [](const std::string& s) { return holds_max(s) && tokens(s).size() >= 2; };
  EXPECT_EQ(tokens(generate::reduce("00012\t 2147483647\n", two)),
            (std::vector<std::string>{"0", "2147483647"}));
}

TEST(Reducer, ShortensNumbersAndKeepsToItsBudget) {
  auto large = [](const std::string& s) {
    const auto t = tokens(s);
    return t.size() == 1 && read_value(t[0]) > 1000;
  };
  const std::string r = generate::reduce("+000123456789", large);
  EXPECT_TRUE(large(r));
  EXPECT_LE(r.size(), 5u) << r;
  int calls = 0;
  generate::reduce(
      std::string(300, 'a'), [&](const std::string&) { return ++calls, false; }, 50);
  EXPECT_EQ(calls, 50);
}

// The descriptions describe valid input: our build accepts every input.
TEST(Descriptions, OurBuildAcceptsEveryGeneratedInput) {
  for (const auto& d : generate::descriptions()) {
    for (std::uint64_t seed = 0; seed < 40; seed++) {
      const std::string input = generate::generate_input(d, seed);
      const auto r = common::run_with_input({std::string(SUITE_BIN_DIR "/") + d.program}, input,
                                            common::RunLimits{20.0});
      EXPECT_EQ(r.err, "TOTAL: 0H-0M-0S-0us\n") << d.program << " input:\n" << input;
      EXPECT_FALSE(r.timed_out);
    }
  }
}

// Edge ends stay inside the matrix (0 to 15) but now and then lie above n or
// at node 0, which the program stores and uses too.
TEST(Generator, EdgeEndsCoverTheWholeMatrix) {
  const auto& d = *generate::find_description("shortest_paths");
  bool above = false, zero = false;
  for (std::uint64_t seed = 0; seed < 300; seed++) {
    const auto t = tokens(generate::generate_input(d, seed));
    ASSERT_GE(t.size(), 2u);
    const long long n = read_value(t[0]);
    for (std::size_t i = 2; i + 2 < t.size(); i += 3) {
      for (const long long end : {read_value(t[i]), read_value(t[i + 1])}) {
        EXPECT_TRUE(end >= 0 && end <= 15) << end;
        above |= end > n;
        zero |= end == 0;
      }
    }
  }
  EXPECT_TRUE(above);
  EXPECT_TRUE(zero);
}

// The greymap headers also reach the renderer's status-255 answer (printed
// nothing), for each of its causes, not only the valid images.
TEST(Descriptions, ImageHeadersAlsoReachTheStatus255Answer) {
  const auto& d = *generate::find_description("image_rotate");
  int answered = 0, rotated = 0;
  for (std::uint64_t seed = 0; seed < 200; seed++) {
    const std::string input = generate::generate_input(d, seed);
    const auto r = common::run_with_input({SUITE_BIN_DIR "/image_rotate"}, input, {20.0});
    if (r.status == 255) {
      answered++;
      EXPECT_EQ(r.out, "") << input;
    } else {
      rotated += r.status == 0 ? 1 : 0;
    }
  }
  EXPECT_GE(answered, 8);
  EXPECT_GE(rotated, 150);
}

}  // namespace
