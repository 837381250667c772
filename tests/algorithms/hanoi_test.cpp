// hanoi_moves run as a process on a disk count whose 10 MB line is too large
// for a golden file: its size follows from the move count 2^n - 1, and its
// digest comes from the independent iterative solver in hanoi_digest.py.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct HanoiRun {
  std::string out;
  int status = -1;
};

HanoiRun run_hanoi(const std::string& input) {
  // In a cross build the program runs under the emulator.
  const std::string emulator = SUITE_EMULATOR;
  const std::string command = "printf '" + input + "' | " +
                              (emulator.empty() ? "" : emulator + " ") + HANOI_MOVES +
                              " 2>/dev/null";
  HanoiRun result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[65536];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
  const int raw = pclose(pipe);
  if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  return result;
}

// FNV-1a, 64 bits: the digest hanoi_digest.py computes.
std::uint64_t hanoi_fnv1a(const std::string& bytes) {
  std::uint64_t digest = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) digest = (digest ^ byte) * 0x100000001b3u;
  return digest;
}

TEST(HanoiMoves, TwentyOneDisksMatchTheIterativeSolution) {
  const HanoiRun result = run_hanoi("1 21\\n");
  EXPECT_EQ(result.status, 0);
  // One line: 2^21 - 1 moves of "x y, ", then the newline.
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
  EXPECT_EQ(result.out.size(), ((1u << 21) - 1) * 5 + 1);
  EXPECT_EQ(hanoi_fnv1a(result.out), 0xb76bf8c39c13e061u);
}

}  // namespace
