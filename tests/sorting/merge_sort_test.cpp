// merge_sort over the global buffer, for every count the program accepts.
#include <cstring>

#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace merge_sort_list_program {

#define main merge_sort_list_main
#include "sorting/merge_sort_list.cpp"
#undef main

namespace {

TEST(MergeSort, SortsLikeStdSort) {
  auto sort = [](int* a, int count) {
    std::memcpy(buf[0], a, sizeof(int) * count);
    merge_sort(0, count);
    std::memcpy(a, buf[0], sizeof(int) * count);
  };
  sort_check::expect_sorts(sort, -2147483647 - 1, 2147483647, 100);
  sort_check::expect_sorts(sort, 0, 1, 100);
}

TEST(MergeSort, SortsOnlyFromLUpToR) {
  const int data[7] = {7, 6, 5, 4, 3, 2, 1};
  std::memcpy(buf[0], data, sizeof data);
  merge_sort(2, 5);
  const int want[7] = {7, 6, 3, 4, 5, 2, 1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(buf[0][i], want[i]) << i;
}

}  // namespace

}  // namespace merge_sort_list_program
