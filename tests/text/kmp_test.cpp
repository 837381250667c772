// KMP against a plain search over every pattern and text of up to a few
// characters from a two-letter alphabet, where failure-table faults show.
#define main kmp_search_main
#include "text/kmp_search.cpp"
#undef main

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> codes(const std::string& s) {
  std::vector<int> v(s.begin(), s.end());
  v.push_back(0);
  return v;
}

// Position just past the first occurrence; an empty pattern never matches.
int plain_search(const std::string& pattern, const std::string& text) {
  if (pattern.empty()) return -1;
  auto at = text.find(pattern);
  return at == std::string::npos ? -1 : static_cast<int>(at + pattern.size());
}

std::vector<std::string> all_strings(int max_length) {
  std::vector<std::string> all = {""};
  for (std::size_t i = 0; i < all.size(); ++i)
    if (static_cast<int>(all[i].size()) < max_length)
      for (char c : {'a', 'b'}) all.push_back(all[i] + c);
  return all;
}

TEST(Kmp, AgreesWithPlainSearch) {
  const auto patterns = all_strings(5);
  const auto texts = all_strings(8);
  for (const auto& p : patterns)
    for (const auto& t : texts) {
      auto dst = codes(p), src = codes(t);
      ASSERT_EQ(KMP(dst.data(), src.data()), plain_search(p, t))
          << "pattern '" << p << "' text '" << t << "'";
    }
}

TEST(Kmp, FailureTable) {
  int next[8];
  auto aab = codes("aab");
  get_next(aab.data(), next);
  EXPECT_EQ(next[0], -1);
  EXPECT_EQ(next[1], 0);
  EXPECT_EQ(next[2], 1);
  EXPECT_EQ(next[3], 0);
  auto abab = codes("abab");
  get_next(abab.data(), next);
  const int want[5] = {-1, 0, 0, 1, 2};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(next[i], want[i]) << i;
}

}  // namespace
