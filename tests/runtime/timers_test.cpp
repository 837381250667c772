#include "timers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "suite_runtime.h"
#include "timer_fixture.hpp"

namespace {

class Timers : public ::testing::Test {
 protected:
  void SetUp() override { before_main(); }
  void TearDown() override { before_main(); }
};

TEST_F(Timers, NoIntervalGivesTheZeroTotalLine) {
  EXPECT_EQ(timer_report(), "TOTAL: 0H-0M-0S-0us\n");
}

TEST_F(Timers, AnIntervalIsStoredNormalisedWithPaddedLabels) {
  time_interval(10, 20, 1, 500000);
  EXPECT_EQ(timer_report(), "Timer@0010-0020: 0H-0M-1S-500000us\nTOTAL: 0H-0M-1S-500000us\n");
}

TEST_F(Timers, MicrosecondsBorrowAcrossASecond) {
  // 0.75 s that straddles a second boundary: the end's microseconds are lower.
  _kova_l1[1] = 1;
  _kova_start = {5, 600000};
  _kova_end = {6, 350000};
  runtime_detail::close_interval(2);
  EXPECT_EQ(_kova_s[1], 0);
  EXPECT_EQ(_kova_us[1], 750000);
}

TEST_F(Timers, TheTotalCarriesEveryField) {
  time_interval(1, 2, 0, 700000);
  time_interval(3, 4, 0, 700000);
  EXPECT_EQ(timer_report(),
            "Timer@0001-0002: 0H-0M-0S-700000us\n"
            "Timer@0003-0004: 0H-0M-0S-700000us\n"
            "TOTAL: 0H-0M-1S-400000us\n");

  // The report adds every interval into slot 0, so it is taken once.
  before_main();
  time_interval(1, 1, 40, 0);
  time_interval(2, 2, 30, 0);
  EXPECT_EQ(timer_report(),
            "Timer@0001-0001: 0H-0M-40S-0us\n"
            "Timer@0002-0002: 0H-0M-30S-0us\n"
            "TOTAL: 0H-1M-10S-0us\n");

  before_main();
  time_interval(12345, 7, 125, 250000);
  EXPECT_EQ(timer_report(), "Timer@12345-0007: 0H-2M-5S-250000us\nTOTAL: 0H-2M-5S-250000us\n");

  before_main();
  for (int i = 0; i < 3; i++) time_interval(i, i, 30 * 60, 0);
  const std::string text = timer_report();
  EXPECT_EQ(text.substr(text.rfind("TOTAL")), "TOTAL: 1H-30M-0S-0us\n");
}

TEST_F(Timers, IntervalsBeyondTheTablesAreIgnored) {
  for (int i = 1; i < 1023; i++) time_interval(i, i, 0, 1);
  EXPECT_EQ(_kova_idx, 1023);
  _kova_starttime(5000);
  _kova_stoptime(5001);
  EXPECT_EQ(_kova_idx, 1024);
  EXPECT_EQ(_kova_l1[1023], 5000);
  _kova_starttime(6000);  // no slot left: nothing is written
  _kova_stoptime(6001);
  EXPECT_EQ(_kova_idx, 1024);
  std::string text = timer_report();
  EXPECT_EQ(text.find("Timer@6000"), std::string::npos);
  EXPECT_NE(text.find("Timer@5000-5001"), std::string::npos);
}

}  // namespace
