// bubblesort over arbitrary lengths through the global n (the program only
// sorts its fixed ten).
#define main bubble_sort_list_main
#include "sorting/bubble_sort_list.cpp"
#undef main

#include "sort_check.hpp"

namespace {

TEST(BubbleSort, SortsTheGlobalLength) {
  sort_check::expect_sorts(
      [](int* a, int count) {
        n = count;
        EXPECT_EQ(bubblesort(a), 0);
      },
      -2147483647 - 1, 2147483647, 30);
}

}  // namespace
