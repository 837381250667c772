// QuickSort over arbitrary ranges (the program only sorts its fixed ten).
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace quick_sort_list_program {

#define main quick_sort_list_main
#include "sorting/quick_sort_list.cpp"
#undef main

namespace {

TEST(QuickSort, SortsLikeStdSort) {
  // The most negative value is left out: as a pivot its k - 1 wraps.
  sort_check::expect_sorts([](int* a, int count) { QuickSort(a, 0, count - 1); }, -2147483647,
                           2147483647, 40);
  sort_check::expect_sorts([](int* a, int count) { QuickSort(a, 0, count - 1); }, 0, 3, 40);
}

TEST(QuickSort, LeavesValuesOutsideTheRangeAlone) {
  int a[8] = {9, 9, 5, 1, 4, 2, 0, 0};
  EXPECT_EQ(QuickSort(a, 2, 5), 0);
  const int want[8] = {9, 9, 1, 2, 4, 5, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a[i], want[i]) << i;
}

}  // namespace

}  // namespace quick_sort_list_program
