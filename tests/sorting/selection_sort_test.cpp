// select_sort over arbitrary lengths, given as its parameter.
#define main selection_sort_list_main
#include "sorting/selection_sort_list.cpp"
#undef main

#include "sort_check.hpp"

namespace {

TEST(SelectSort, SortsItsParameterLength) {
  n = 3;  // the global plays no part
  sort_check::expect_sorts([](int* a, int count) { EXPECT_EQ(select_sort(a, count), 0); },
                           -2147483647 - 1, 2147483647, 30);
}

}  // namespace
