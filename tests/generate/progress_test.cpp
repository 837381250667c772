// --generate's progress as a log and a terminal see it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "generated_progress.hpp"

namespace {

using namespace std::chrono_literals;

std::string contents(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string s;
  for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
  return s;
}

std::size_t count(const std::string& s, const std::string& part) {
  std::size_t n = 0;
  for (auto at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) n++;
  return n;
}

generate::ProgramTally tally(const char* program, long agreed, long differed) {
  generate::ProgramTally t;
  t.program = program, t.agreed = agreed, t.differed = differed;
  return t;
}

// A log hears of each program and difference, and of a quiet stretch (a
// build that hangs on every input) at least once per `quiet`; nothing
// follows the end.
TEST(GeneratedProgress, ALogNeverGoesQuietForLong) {
  std::FILE* log = std::tmpfile();
  ASSERT_NE(log, nullptr);
  {
    conformance::GeneratedProgress progress(log, false, 4, 100ms);
    progress.input_done(false);
    progress.input_done(true);
    progress.program_done(tally("gcd_loop", 1, 1));
    std::this_thread::sleep_for(350ms);
    progress.compared(1);
    generate::Finding f;
    f.program = "gcd_loop", f.index = 1, f.original_size = 13, f.input = "7", f.cut = true;
    progress.cutting(f);
    std::this_thread::sleep_for(250ms);
    progress.cut_done(f);
    progress.finish();
    const std::string before = contents(log);
    std::this_thread::sleep_for(250ms);
    EXPECT_EQ(contents(log), before);
  }
  const std::string s = contents(log);
  EXPECT_NE(s.find("compared gcd_loop: 1 agreed, 1 differed (2 of 4 inputs run)\n"),
            std::string::npos)
      << s;
  EXPECT_GE(count(s, "still comparing: 2 of 4 inputs run, 1 differed, "), 1u) << s;
  EXPECT_NE(s.find("cutting down 1 difference\ncutting down gcd_loop: input 1, 13 bytes\n"),
            std::string::npos)
      << s;
  EXPECT_GE(count(s, "still cutting down differences: 0 of 1 done, "), 1u) << s;
  EXPECT_NE(s.find("cut down gcd_loop: input 1 from 13 to 1 bytes in 0 s\n"), std::string::npos)
      << s;
  EXPECT_EQ(s.find('\r'), std::string::npos) << s;
  std::fclose(log);
}

// A terminal gets one counter line, rewritten, and wiped at the end.
TEST(GeneratedProgress, ATerminalGetsACounter) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    conformance::GeneratedProgress progress(out, true, 2, 50ms);
    progress.input_done(true);
    progress.program_done(tally("gcd_loop", 0, 1));
    std::this_thread::sleep_for(150ms);
  }
  const std::string s = contents(out);
  EXPECT_EQ(s, "\r[1/2] 1 differed\r\033[K");
  std::fclose(out);
}

}  // namespace
