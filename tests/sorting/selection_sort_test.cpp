// select_sort over arbitrary lengths, given as its parameter.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace selection_sort_list_program {

#define main selection_sort_list_main
#include "sorting/selection_sort_list.cpp"
#undef main

namespace {

TEST(SelectSort, SortsItsParameterLength) {
  n = 3;  // the global plays no part
  sort_check::expect_sorts([](int* a, int count) { EXPECT_EQ(select_sort(a, count), 0); },
                           -2147483647 - 1, 2147483647, 30);
}

}  // namespace

}  // namespace selection_sort_list_program
