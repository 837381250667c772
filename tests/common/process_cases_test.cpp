// The process core's bounds on its own (no runner in between), the case
// loader on a folder made for the test, and the option table's parsing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cases.hpp"
#include "options.hpp"
#include "process.hpp"

namespace fs = std::filesystem;

namespace {

common::RunResult shell(const std::string& script, common::RunLimits limits = {}) {
  return common::run_with_input({"/bin/sh", "-c", script}, "", limits);
}

TEST(Process, AStreamPastItsBoundStopsTheRunAtOnce) {
  const auto r = shell("yes", {60.0, 1000, 1000, true});
  EXPECT_EQ(r.overflow, 1);
  EXPECT_GT(r.overflow_bytes, 1000u);
  EXPECT_EQ(r.out.size(), 1000u);
  EXPECT_EQ(r.status, -1);
  EXPECT_LT(r.seconds, 20.0);
}

TEST(Process, WithoutStoppingTheRestIsReadAndDropped) {
  const auto r = shell("head -c 300000 /dev/zero; echo done >&2", {10.0, 1000, 1000, false});
  EXPECT_EQ(r.overflow, 0);
  EXPECT_EQ(r.out.size(), 1000u);
  EXPECT_EQ(r.err, "done\n");
  EXPECT_EQ(r.status, 0);
}

TEST(Process, TheDeadlineEndsTheRunAndItsChildren) {
  const auto r = shell("sleep 60 & sleep 60", {0.3});
  EXPECT_TRUE(r.timed_out);
  EXPECT_EQ(r.status, -1);
  EXPECT_LT(r.seconds, 20.0);
}

// (Telling that it left a process running needs supervise(): see tests/runner.)
TEST(Process, TheRunEndsWithTheProgramThoughAChildHoldsItsOutput) {
  const auto r = shell("sleep 60 & echo parent; exit 3", {60.0});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "parent\n");
  EXPECT_LT(r.seconds, 20.0);
}

TEST(Process, ASignalAndAMissingProgramAreTold) {
  EXPECT_EQ(shell("kill -SEGV $$").signal, 11);
  const auto r = common::run_with_input({"/no/such/program"}, "", {});
  EXPECT_FALSE(r.spawn_error.empty());
  EXPECT_EQ(r.status, -1);
}

class CaseFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("common-cases-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void write(const std::string& relative, const std::string& text) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << text;
  }
  fs::path root_;
};

TEST_F(CaseFolder, CasesAreSortedFilteredAndTheirProblemsNamed) {
  write("zeta/b.out", "2\n");
  write("zeta/b.status", "0\n");
  write("zeta/a.out", "1\n");
  write("zeta/a.in", "x");
  write("zeta/a.status", "256\n");
  write("alpha/one.out", "");
  write("stray.txt", "");
  const auto all = common::load_cases(root_.string(), "");
  ASSERT_EQ(all.cases.size(), 3u);
  EXPECT_EQ(all.cases[0].program, "alpha");
  EXPECT_EQ(all.cases[1].name, "a");
  EXPECT_TRUE(all.cases[1].has_input);
  EXPECT_FALSE(all.cases[1].status) << "a status above 255 is not a status";
  EXPECT_EQ(all.cases[2].name, "b");
  EXPECT_EQ(*all.cases[2].status, 0);
  ASSERT_EQ(all.problems.size(), 1u);
  EXPECT_NE(all.problems[0].find("stray.txt"), std::string::npos) << all.problems[0];
  EXPECT_EQ(common::load_cases(root_.string(), "^z").cases.size(), 2u);
  EXPECT_THROW(common::load_cases(root_.string(), "["), std::invalid_argument);
}

TEST_F(CaseFolder, TheKindFollowsTheName) {
  common::Case c;
  c.program = "p";
  c.name = "reject_big";
  c.status = 2;
  c.err = "p: too big\n";
  EXPECT_EQ(common::kind_problem(c), "");
  c.status = 1;
  EXPECT_NE(common::kind_problem(c), "");
  c.name = "big";
  EXPECT_EQ(common::kind_problem(c), "");
  c.status = 2;
  EXPECT_NE(common::kind_problem(c), "") << "a rejection not named reject_";
}

TEST(Options, ValuesInlineOrNextAndMistakesNameTheOption) {
  std::string text;
  bool flag = false;
  int count = 0;
  const std::vector<common::Option> table = {
      {"--text", "T", "", common::store_text(text)},
      {"--flag", "", "", common::store_true(flag)},
      {"--count", "N", "", common::store_count(count, 9)},
  };
  auto parse = [&](std::vector<std::string> words) {
    words.insert(words.begin(), "tool");
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    common::parse_options(static_cast<int>(argv.size()), argv.data(), table);
  };
  parse({"--text=a=b", "--flag", "--count", "7"});
  EXPECT_EQ(text, "a=b");
  EXPECT_TRUE(flag);
  EXPECT_EQ(count, 7);
  parse({"--text", "--flag"});
  EXPECT_EQ(text, "--flag") << "the next word is the value, whatever it looks like";
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"--flag=1"}, "--flag takes no value"},
      {{"--count"}, "--count needs a value (N)"},
      {{"--count", "10"}, "--count takes a whole number from 0 to 9, not '10'"},
      {{"--other"}, "unknown option --other"},
      {{"text"}, "unknown option text"},
  };
  for (const auto& [words, message] : bad) {
    try {
      parse(words);
      ADD_FAILURE() << message;
    } catch (const common::UsageError& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

}  // namespace
