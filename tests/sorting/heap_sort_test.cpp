// heap_sort over arbitrary lengths (the program only sorts its fixed ten).
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace heap_sort_list_program {

#define main heap_sort_list_main
#include "sorting/heap_sort_list.cpp"
#undef main

namespace {

TEST(HeapSort, SortsLikeStdSort) {
  sort_check::expect_sorts([](int* a, int count) { EXPECT_EQ(heap_sort(a, count), 0); },
                           -2147483647 - 1, 2147483647, 40);
  sort_check::expect_sorts([](int* a, int count) { heap_sort(a, count); }, 0, 2, 40);
}

TEST(HeapSort, AjustSiftsOnlyWithinTheGivenEnd) {
  // Children beyond end are not looked at.
  int a[5] = {1, 5, 2, 9, 9};
  heap_ajust(a, 0, 2);
  const int want[5] = {5, 1, 2, 9, 9};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a[i], want[i]) << i;
}

}  // namespace

}  // namespace heap_sort_list_program
