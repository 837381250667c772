// Cases that the mutation run found untested: each one fails for some small
// fault in the runtime that every other test let through.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "stream_fixture.hpp"
#include "suite_runtime.h"
#include "timer_fixture.hpp"
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

// The last digits of a number near the end of the buffered text are taken
// one by one; the nineteenth still counts.
TEST_F(InputEdges, TheNineteenthDigitCountsInTheBufferTail) {
  feed("1 0000000000000000005 ");
  EXPECT_EQ(getint(), 1);
  EXPECT_EQ(getint(), 5);
}

class TimerTables : public ::testing::Test {
 protected:
  void SetUp() override { before_main(); }
  void TearDown() override { before_main(); }

  // One interval of the given length, without the clock.
  static void interval(int start_label, int stop_label, int seconds, int microseconds) {
    time_interval(start_label, stop_label, seconds, microseconds, 2000, 100000);
  }
  static std::string report() { return timer_report(); }
};

// 59 seconds is the most that stays in the seconds field, in an interval and
// in the total; a million microseconds is the least that carries.
TEST_F(TimerTables, FieldsCarryExactlyAtTheirLimits) {
  interval(1, 2, 59, 0);
  EXPECT_EQ(report(), "Timer@0001-0002: 0H-0M-59S-0us\nTOTAL: 0H-0M-59S-0us\n");
  before_main();
  interval(3, 4, 0, 500000);
  interval(5, 6, 0, 500000);
  EXPECT_EQ(report(),
            "Timer@0003-0004: 0H-0M-0S-500000us\nTimer@0005-0006: 0H-0M-0S-500000us\n"
            "TOTAL: 0H-0M-1S-0us\n");
}

// One microsecond short of a carry carries nothing; sixty seconds or minutes
// gathered from two intervals carry into the total's next field.
TEST_F(TimerTables, TheLargestValuesThatDoNotCarry) {
  interval(1, 2, 0, 999999);
  EXPECT_EQ(report(), "Timer@0001-0002: 0H-0M-0S-999999us\nTOTAL: 0H-0M-0S-999999us\n");
  before_main();
  interval(1, 2, 30, 0);
  interval(3, 4, 30, 0);
  EXPECT_EQ(report(),
            "Timer@0001-0002: 0H-0M-30S-0us\nTimer@0003-0004: 0H-0M-30S-0us\n"
            "TOTAL: 0H-1M-0S-0us\n");
  before_main();
  interval(1, 2, 1800, 0);
  interval(3, 4, 1740, 0);
  interval(5, 6, 60, 0);
  EXPECT_EQ(report(),
            "Timer@0001-0002: 0H-30M-0S-0us\nTimer@0003-0004: 0H-29M-0S-0us\n"
            "Timer@0005-0006: 0H-1M-0S-0us\nTOTAL: 1H-0M-0S-0us\n");
}

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
