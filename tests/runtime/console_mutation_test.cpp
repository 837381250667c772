// Input and output cases that the mutation run found untested: each one
// fails for some small fault in the console routines that every other test
// let through.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "stream_fixture.hpp"
#include "suite_runtime.h"

namespace {

using InputEdges = StreamTest;

TEST_F(InputEdges, TheLastByteValueIsNoHexDigit) {
  feed("0x1\xff 0x2\xfe");
  EXPECT_EQ(getfloat(), 1.0f);
  EXPECT_EQ(getch(), 0xff);
  EXPECT_EQ(getfloat(), 2.0f);
  EXPECT_EQ(getch(), 0xfe);
}

}  // namespace
