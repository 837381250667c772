// insertsort over arbitrary lengths through the global n.
#define main insertion_sort_list_main
#include "sorting/insertion_sort_list.cpp"
#undef main

#include "sort_check.hpp"

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
