// insertsort over arbitrary lengths through the global n.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "sort_check.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

// The program in a namespace of its own (its headers are already included
// above), so that all the sort tests compile as one unit.
namespace insertion_sort_list_program {

#define main insertion_sort_list_main
#include "sorting/insertion_sort_list.cpp"
#undef main

namespace {

TEST(InsertSort, SortsTheGlobalLength) {
  sort_check::expect_sorts(
      [](int* a, int count) {
        n = count;
        EXPECT_EQ(insertsort(a), 0);
      },
      -2147483647 - 1, 2147483647, 30);
}

}  // namespace

}  // namespace insertion_sort_list_program
