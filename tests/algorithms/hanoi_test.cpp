// hanoi_moves run as a process on a disk count whose 10 MB line is too large
// for a golden file: its size follows from the move count 2^n - 1, and its
// digest comes from the independent iterative solver in hanoi_digest.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "run_program.hpp"

namespace {

// FNV-1a, 64 bits: the digest hanoi_digest.py computes.
std::uint64_t hanoi_fnv1a(const std::string& bytes) {
  std::uint64_t digest = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) digest = (digest ^ byte) * 0x100000001b3u;
  return digest;
}

TEST(HanoiMoves, TwentyOneDisksMatchTheIterativeSolution) {
  // 10 MB of output: slow under an emulator or the sanitizers, hence the time.
  const test_support::Outcome result = test_support::run_program(HANOI_MOVES, "1 21\n", 300);
  EXPECT_EQ(result.status, 0);
  // One line: 2^21 - 1 moves of "x y, ", then the newline.
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
  EXPECT_EQ(result.out.size(), ((1u << 21) - 1) * 5 + 1);
  EXPECT_EQ(hanoi_fnv1a(result.out), 0xb76bf8c39c13e061u);
}

// The largest disk count is valid and starts printing moves; it never finishes
// (2^100000 - 1 moves), so only its start is looked at. One more is refused.
TEST(HanoiMoves, TheLargestDiskCountIsComputedNotRefused) {
  const test_support::Outcome largest =
      test_support::run_program(HANOI_MOVES, "1 100000\n", 20, 4096);
  EXPECT_EQ(largest.err, "");
  ASSERT_GE(largest.out.size(), 4096u);
  EXPECT_EQ(largest.out.substr(0, 5), "1 2, ");  // an even count starts towards peg 2
  const test_support::Outcome above = test_support::run_program(HANOI_MOVES, "1 100001\n");
  EXPECT_EQ(above.status, 2);
  EXPECT_EQ(above.out, "");
}

}  // namespace
