// Cases that the mutation run found untested: each one fails for some small
// fault in the runtime that every other test let through.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "stream_fixture.hpp"
#include "suite_runtime.h"
#include "timers.h"

namespace {

using InputEdges = StreamTest;

TEST_F(InputEdges, TheLastByteValueIsNoHexDigit) {
  feed("0x1\xff 0x2\xfe");
  EXPECT_EQ(getfloat(), 1.0f);
  EXPECT_EQ(getch(), 0xff);
  EXPECT_EQ(getfloat(), 2.0f);
  EXPECT_EQ(getch(), 0xfe);
}

// Past 19 digits the conversion inside the stream's buffer has kept only the
// first 19; the value must come from all of them. (The first read fills the
// buffer; the numbers after it are converted there.)
TEST_F(InputEdges, NumbersOfTwentyDigitsAndMoreAreReadWhole) {
  feed("1 00000000000000000005 -00000000000000000000042 10000000000000000000 ");
  EXPECT_EQ(getint(), 1);
  EXPECT_EQ(getint(), 5);
  EXPECT_EQ(getint(), -42);
  EXPECT_EQ(getint(), INT_MAX);
}

class TimerTables : public ::testing::Test {
 protected:
  void SetUp() override { before_main(); }
  void TearDown() override { before_main(); }
};

// The tables are exported to compiled programs, which can leave any index
// behind: the report never reads past the last slot.
TEST_F(TimerTables, TheReportStopsAtTheLastSlotWhateverTheIndexSays) {
  _kova_idx = kova_slots + 5;
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  runtime_detail::write_report(out);
  std::rewind(out);
  int timer_lines = 0;
  char line[128];
  while (std::fgets(line, sizeof line, out) != nullptr) {
    timer_lines += std::string(line).rfind("Timer@", 0) == 0 ? 1 : 0;
  }
  std::fclose(out);
  EXPECT_EQ(timer_lines, kova_slots - 1);
}

}  // namespace
