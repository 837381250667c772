// counting_sort over arbitrary counts of the digits it accepts.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace counting_sort_list_program {

#define main counting_sort_list_main
#include "sorting/counting_sort_list.cpp"
#undef main

namespace {

TEST(CountingSort, SortsDigitsIntoTheSecondArray) {
  sort_check::expect_sorts(
      [](int* a, int count) {
        int sorted[64];
        ASSERT_LE(count, 64);
        EXPECT_EQ(counting_sort(a, sorted, count), 0);
        for (int i = 0; i < count; ++i) a[i] = sorted[i];
      },
      0, 9, 64);
}

TEST(CountingSort, CountZeroLeavesTheResultUntouched) {
  int ini[3] = {5, 1, 2};
  int sorted[3] = {-1, -2, -3};
  counting_sort(ini, sorted, 0);
  EXPECT_EQ(sorted[0], -1);
  EXPECT_EQ(sorted[1], -2);
  EXPECT_EQ(sorted[2], -3);
}

}  // namespace

}  // namespace counting_sort_list_program
