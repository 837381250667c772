// The graph programs run as processes on generated input: their answers are
// checked against independent methods (all-pairs relaxation, brute force over
// orders, flood fill), and garbled input must end in the program's answer or
// in one reject line, never in a crash, a hang or a sanitizer report.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.hpp"

namespace {

// A program still running after its seconds (20 unless a test says) fails.
using test_support::Outcome;
using test_support::run_program;

const std::string total = "TOTAL: 0H-0M-0S-0us\n";

std::vector<int> numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<int> values;
  for (int v; in >> v;) values.push_back(v);
  return values;
}

TEST(ShortestPaths, MatchesAllPairsRelaxationWhenEveryNodeIsReachable) {
  std::mt19937 random(2026);
  for (int trial = 0; trial < 30; ++trial) {
    const int n = 1 + static_cast<int>(random() % 15);
    std::vector<std::array<int, 3>> edges;
    // A path through a shuffled order keeps every node reachable from 1.
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i) order[i] = i + 1;
    std::shuffle(order.begin() + 1, order.end(), random);
    for (int i = 0; i + 1 < n; ++i)
      edges.push_back({order[i], order[i + 1], static_cast<int>(random() % 1000)});
    const int extra = static_cast<int>(random() % 30);
    for (int i = 0; i < extra; ++i)
      edges.push_back({1 + static_cast<int>(random() % n), 1 + static_cast<int>(random() % n),
                       static_cast<int>(random() % 1000)});

    std::vector<std::vector<long>> d(n + 1, std::vector<long>(n + 1, 65535));
    for (int i = 1; i <= n; ++i) d[i][i] = 0;
    std::ostringstream input;
    input << n << ' ' << edges.size() << '\n';
    for (const auto& [u, v, w] : edges) {
      d[u][v] = w;  // a later edge replaces an earlier one, the diagonal too
      input << u << ' ' << v << ' ' << w << '\n';
    }
    for (int k = 1; k <= n; ++k)
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) d[i][j] = std::min(d[i][j], d[i][k] + d[k][j]);
    // A self-loop on node 1 sets its starting distance, which no path lowers.
    std::ostringstream want;
    for (int j = 1; j <= n; ++j) want << (j == 1 ? d[1][1] : d[1][j]) << ' ';
    want << '\n';

    const Outcome result = run_program(SHORTEST_PATHS, input.str());
    ASSERT_EQ(result.status, 0) << input.str();
    EXPECT_EQ(result.out, want.str()) << input.str();
    EXPECT_EQ(result.err, total);
  }
}

// The lexicographically smallest order, found by trying all 120 in order.
std::vector<int> smallest_order(const std::set<std::pair<int, int>>& edges) {
  std::array<int, 5> order = {1, 2, 3, 4, 5};
  do {
    std::array<int, 6> position{};
    for (int i = 0; i < 5; ++i) position[order[i]] = i;
    bool valid = true;
    for (const auto& [u, v] : edges) valid = valid && position[u] < position[v];
    if (valid) return {order.begin(), order.end()};
  } while (std::next_permutation(order.begin(), order.end()));
  return {};
}

TEST(TopologicalOrder, AcyclicGraphsGetTheSmallestOrder) {
  std::mt19937 random(8);
  for (int trial = 0; trial < 30; ++trial) {
    std::array<int, 5> rank = {1, 2, 3, 4, 5};
    std::shuffle(rank.begin(), rank.end(), random);
    std::set<std::pair<int, int>> edges;
    for (int u = 1; u <= 5; ++u)
      for (int v = 1; v <= 5; ++v)
        if (rank[u - 1] < rank[v - 1] && random() % 3 == 0) edges.insert({u, v});
    std::ostringstream input;
    for (int u = 1; u <= 5; ++u) {
      for (const auto& [from, to] : edges)
        if (from == u) input << to << ' ';
      input << "0\n";
    }
    const Outcome result = run_program(TOPOLOGICAL_ORDER, input.str());
    ASSERT_EQ(result.status, 0) << input.str();
    EXPECT_EQ(numbers(result.out), smallest_order(edges)) << input.str();
  }
}

// The first step at which the open cells join row 1 to row 4, or -1.
int flood_fill_step(const std::vector<std::pair<int, int>>& cells) {
  std::set<std::pair<int, int>> open;
  for (std::size_t step = 0; step < cells.size(); ++step) {
    open.insert(cells[step]);
    std::vector<std::pair<int, int>> stack;
    std::set<std::pair<int, int>> seen;
    for (const auto& cell : open)
      if (cell.first == 1) stack.push_back(cell), seen.insert(cell);
    while (!stack.empty()) {
      const auto [r, c] = stack.back();
      stack.pop_back();
      if (r == 4) return static_cast<int>(step) + 1;
      for (const auto& next : {std::pair{r + 1, c}, {r - 1, c}, {r, c + 1}, {r, c - 1}})
        if (open.count(next) && seen.insert(next).second) stack.push_back(next);
    }
  }
  return -1;
}

// All sixteen cells in a random order.
std::vector<std::pair<int, int>> shuffled_cells(std::mt19937& random) {
  std::vector<std::pair<int, int>> cells;
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) cells.push_back({r, c});
  std::shuffle(cells.begin(), cells.end(), random);
  return cells;
}

std::string cells_input(const std::vector<std::pair<int, int>>& cells) {
  std::ostringstream input;
  for (const auto& [r, c] : cells) input << r << ' ' << c << '\n';
  return input.str();
}

// With one cell in the top row and one in the bottom row, the top and bottom
// nodes are set to themselves only while they are still roots: the forest
// then sees exactly the connections a flood fill sees.
TEST(PercolationCheck, OneTopAndOneBottomCellAgreeWithAFloodFill) {
  std::mt19937 random(44);
  for (int trial = 0; trial < 30; ++trial) {
    // One top-row cell, one bottom-row cell and rows 2 and 3, shuffled.
    std::vector<std::pair<int, int>> cells;
    bool top = false, bottom = false;
    for (const auto& cell : shuffled_cells(random)) {
      const bool edge_row = cell.first == 1 || cell.first == 4;
      bool& seen = cell.first == 1 ? top : bottom;
      if (edge_row && seen) continue;
      if (edge_row) seen = true;
      cells.push_back(cell);
    }
    cells.resize(10);
    const Outcome result = run_program(PERCOLATION_CHECK, cells_input(cells));
    ASSERT_EQ(result.status, 0) << cells_input(cells);
    EXPECT_EQ(numbers(result.out), std::vector<int>{flood_fill_step(cells)}) << cells_input(cells);
  }
}

// A later top-row or bottom-row cell resets that node to its own root and can
// cut it loose, so the answer may come late or never; it is never early.
TEST(PercolationCheck, AnyDistinctCellsNeverReportAJoinTooEarly) {
  std::mt19937 random(45);
  for (int trial = 0; trial < 30; ++trial) {
    std::vector<std::pair<int, int>> cells = shuffled_cells(random);
    cells.resize(10);
    const Outcome result = run_program(PERCOLATION_CHECK, cells_input(cells));
    ASSERT_EQ(result.status, 0) << cells_input(cells);
    const std::vector<int> answer = numbers(result.out);
    ASSERT_EQ(answer.size(), 1u);
    if (answer[0] != -1) {
      const int truth = flood_fill_step(cells);
      EXPECT_NE(truth, -1) << cells_input(cells);
      EXPECT_LE(truth, answer[0]) << cells_input(cells);
    }
  }
}

TEST(QueensSolutions, TenByTenGivesEveryPlacementOnceInOrder) {
  const Outcome result = run_program(QUEENS_SOLUTIONS, "1 10\n");
  std::istringstream lines(result.out);
  std::vector<std::vector<int>> placements;
  for (std::string line; std::getline(lines, line);) placements.push_back(numbers(line));
  ASSERT_EQ(placements.size(), 724u);
  EXPECT_EQ(result.status, 724 % 256);
  for (std::size_t p = 0; p < placements.size(); ++p) {
    const auto& q = placements[p];
    ASSERT_EQ(q.size(), 10u);
    for (int i = 0; i < 10; ++i)
      for (int j = i + 1; j < 10; ++j) {
        EXPECT_NE(q[i], q[j]);
        EXPECT_NE(std::abs(q[i] - q[j]), j - i);
      }
    if (p > 0) {
      EXPECT_LT(placements[p - 1], q);
    }
  }
}

// FNV-1a, 64 bits: the digest queens_digest.py computes.
std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t digest = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) digest = (digest ^ byte) * 0x100000001b3u;
  return digest;
}

// Board 14 prints 12 MB, too much for a golden file. Its 365596 placements
// (a known count) of 33 bytes each, and the digest of the placements found
// in the same order by the independent bitmask search in queens_digest.py.
// The largest board is valid and prints placements long before it would end
// (about 2.3e14 of them), so only its start is looked at. One more is refused.
TEST(QueensSolutions, TheLargestBoardIsComputedNotRefused) {
  const Outcome largest = run_program(QUEENS_SOLUTIONS, "1 24\n", 120, 256);
  EXPECT_EQ(largest.err, "");
  ASSERT_GE(largest.out.size(), 256u);
  EXPECT_EQ(largest.out.substr(0, 9), "1 3 5 2 4");  // the first placement in order
  const Outcome above = run_program(QUEENS_SOLUTIONS, "1 25\n");
  EXPECT_EQ(above.status, 2);
  EXPECT_EQ(above.out, "");
}

TEST(QueensSolutions, FourteenByFourteenMatchesAnIndependentSearch) {
  // A sanitizer build or an emulator takes many times a release build's 1.5 s.
  const Outcome result = run_program(QUEENS_SOLUTIONS, "1 14\n", 600);
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 365596);
  EXPECT_EQ(result.out.size(), 365596u * 33u);
  EXPECT_EQ(fnv1a(result.out), 0xd0e511e758db79a5u);
  EXPECT_EQ(result.status, 365596 % 256);
  EXPECT_EQ(result.err, total);
}

// Input drawn from a few tokens, in and out of range, cut off anywhere.
std::string garbled(std::mt19937& random, int low, int high) {
  std::ostringstream input;
  const int count = static_cast<int>(random() % 40);
  for (int i = 0; i < count; ++i) {
    const int pick = static_cast<int>(random() % 10);
    if (pick == 0)
      input << (random() % 2 ? 2147483647 : -2147483647 - 1);
    else
      input << low + static_cast<int>(random() % (high - low + 1));
    input << ' ';
  }
  return input.str();
}

void expect_answer_or_reject(const char* program, const char* name, int low, int high,
                             unsigned seed) {
  std::mt19937 random(seed);
  for (int trial = 0; trial < 40; ++trial) {
    const std::string input = garbled(random, low, high);
    const Outcome result = run_program(program, input);
    // queens_solutions exits with its placement count, so stderr tells a
    // rejection from an answer.
    if (result.err != total) {
      EXPECT_EQ(result.status, 2) << input;
      const std::string prefix = std::string(name) + ": ";
      EXPECT_EQ(result.err.rfind(prefix, 0), 0u) << input << "\n" << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << input;
    } else if (std::string(name) != "queens_solutions") {
      EXPECT_EQ(result.status, 0) << input;
    } else {
      EXPECT_NE(result.status, -1) << input;
    }
  }
}

TEST(BadInput, EndsInAnAnswerOrOneRejectLine) {
  expect_answer_or_reject(SHORTEST_PATHS, "shortest_paths", -2, 17, 1);
  expect_answer_or_reject(PERCOLATION_CHECK, "percolation_check", -1, 5, 2);
  expect_answer_or_reject(TOPOLOGICAL_ORDER, "topological_order", -1, 11, 3);
  expect_answer_or_reject(QUEENS_SOLUTIONS, "queens_solutions", -2, 7, 4);
}

}  // namespace
