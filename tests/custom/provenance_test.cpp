// A build's manifest, read back by the runner; and the one line a run gets
// when every case failed the same way before the program's output began.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "manifest.hpp"
#include "start_failure.hpp"

namespace fs = std::filesystem;
using namespace conformance;

namespace {

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string value_of(const BuildRows& rows, const std::string& field) {
  for (const auto& [key, value] : rows)
    if (key == field) return value;
  return "";
}

class Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("provenance-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST(Manifest, KnownFieldsInTheirOrderThenOthersAndNothingMalformed) {
  const BuildRows rows = parse_manifest(
      "source: v1-3-gabc\n"
      "nonsense line\n"
      "extra_note: kept\n"
      "compiler: GNU 12.2.0 /usr/bin/c++\r\n"
      "Bad Key: x\n"
      "program_flags:   -O2 \x1b[31m-ffast-math\n"
      "compiler: a second one\n"
      "linking:\n"
      "target: x86_64-linux-gnu x86_64");
  const BuildRows want = {{"compiler", "GNU 12.2.0 /usr/bin/c++"},
                          {"target", "x86_64-linux-gnu x86_64"},
                          {"program_flags", "-O2 ?[31m-ffast-math"},
                          {"source", "v1-3-gabc"},
                          {"extra_note", "kept"}};
  EXPECT_EQ(rows, want);
  EXPECT_TRUE(parse_manifest("").empty());
}

TEST_F(Folder, AFolderWithoutAManifestSaysSoInOneLine) {
  RunTotals totals;
  read_build(root_.string(), totals);
  EXPECT_TRUE(totals.build.empty());
  EXPECT_NE(totals.build_note.find("no manifest"), std::string::npos) << totals.build_note;
  EXPECT_NE(totals.build_note.find(root_.string()), std::string::npos) << totals.build_note;
  EXPECT_EQ(totals.build_note.find('\n'), std::string::npos);
  EXPECT_EQ(build_summary(root_.string()), "no manifest (suite-build.txt) in " + root_.string());
}

TEST_F(Folder, AManifestIsReadFromTheFolder) {
  std::ofstream(root_ / manifest_name) << "compiler: Clang 16.0.6 /usr/bin/clang++-16\n"
                                          "program_flags: -O3 -march=native\n";
  RunTotals totals;
  read_build(root_.string(), totals);
  EXPECT_TRUE(totals.build_note.empty());
  EXPECT_EQ(value_of(totals.build, "program_flags"), "-O3 -march=native");
  EXPECT_EQ(build_summary(root_.string()),
            "Clang 16.0.6 /usr/bin/clang++-16, flags -O3 -march=native");
}

// The manifest this build wrote beside its programs names it truthfully.
TEST(Manifest, ThisBuildsManifestNamesItsCompilerAndFlags) {
  RunTotals totals;
  read_build(SUITE_BIN_DIR, totals);
  ASSERT_FALSE(totals.build.empty()) << totals.build_note;
  EXPECT_EQ(value_of(totals.build, "compiler").rfind(COMPILER_ID " " COMPILER_VERSION " ", 0), 0u)
      << value_of(totals.build, "compiler");
  const std::string flags = value_of(totals.build, "program_flags");
  EXPECT_NE(flags.find("-std=c++20"), std::string::npos) << flags;
  EXPECT_EQ(flags.find("-ffp-contract=off") != std::string::npos, REFERENCE_FLAGS) << flags;
  EXPECT_EQ(value_of(totals.build, "suite_flags"), REFERENCE_FLAGS ? "reference" : "none");
  EXPECT_EQ(value_of(totals.build, "linking"), STATIC_LINK ? "static" : "dynamic");
  EXPECT_FALSE(value_of(totals.build, "source").empty());
  ASSERT_TRUE(is_static_elf(SUITE_BIN_DIR "/gcd_loop").has_value());
  EXPECT_EQ(*is_static_elf(SUITE_BIN_DIR "/gcd_loop"), bool(STATIC_LINK));
}

TEST_F(Folder, OnlyElfFilesAreJudgedStaticOrDynamic) {
  std::ofstream(root_ / "text") << "#!/bin/sh\necho hello there, this is not an ELF file at all\n";
  EXPECT_FALSE(is_static_elf((root_ / "text").string()).has_value());
  EXPECT_FALSE(is_static_elf((root_ / "missing").string()).has_value());
}

common::Case make_case(const std::string& program, const std::string& name,
                       const std::string& err) {
  common::Case c;
  c.program = program;
  c.name = name;
  c.out = "";
  c.err = err;
  c.status = 0;
  return c;
}

Verdict failed(const std::string& message, const std::string& err) {
  Verdict v;
  v.finished = true;
  v.message = message;
  v.err = err;
  return v;
}

TEST(StartFailure, OneCauseForRunsThatAllFailedAlikeAtTheirStart) {
  Settings s;
  s.bin_dir = "/nowhere/bin";
  const std::vector<common::Case> cases = {make_case("alpha", "a", "TOTAL: 0H-0M-0S-0us\n"),
                                           make_case("beta", "b", "beta: bad input\n"),
                                           make_case("beta", "c", "")};
  std::vector<Verdict> verdicts = {
      failed("did not run (cannot run /nowhere/bin/alpha: Exec format error)", ""),
      failed("did not run (cannot run /nowhere/bin/beta: Exec format error)", ""),
      failed("did not run (cannot run /nowhere/bin/beta: Exec format error)", "")};
  const std::string line = start_failure(cases, verdicts, s);
  EXPECT_EQ(line.rfind("likely cause: ", 0), 0u) << line;
  EXPECT_NE(line.find("exec format error"), std::string::npos) << line;
  EXPECT_EQ(line.find('\n'), std::string::npos);

  // An emulator without the target's root finds no dynamic loader.
  s.wrapper = {"qemu-aarch64"};
  const std::string no_loader =
      "qemu-aarch64: Could not open '/lib/ld-linux-aarch64.so.1': No such file or directory\n";
  verdicts = {failed("exit status 255, expected 0", no_loader),
              failed("exit status 255, expected 2", no_loader),
              failed("exit status 255, expected 0", no_loader)};
  EXPECT_NE(start_failure(cases, verdicts, s).find("-L /usr/TRIPLE"), std::string::npos);

  // Process ids and addresses differ from run to run: still one cause.
  s.wrapper = {"/usr/bin/valgrind"};
  verdicts = {failed("output differs", "==101== Memcheck, a memory error detector\n"),
              failed("output differs", "==2202== Memcheck, a memory error detector\n"),
              failed("exit status 1, expected 0", "==33== Memcheck, a memory error detector\n")};
  EXPECT_NE(start_failure(cases, verdicts, s).find("valgrind -q"), std::string::npos);

  // A case that passed, one that failed differently, a failure after the
  // program's own first line, or a single failure: no such line.
  auto with = [&](std::size_t i, Verdict v) {
    auto copy = verdicts;
    copy[i] = std::move(v);
    return start_failure(cases, copy, s);
  };
  Verdict passed;
  passed.finished = passed.passed = true;
  EXPECT_EQ(with(1, passed), "");
  EXPECT_EQ(with(2, failed("output differs", "==44== Helgrind, a thread error detector\n")), "");
  EXPECT_EQ(with(1, failed("output differs", "beta: bad input\nand more\n")), "");
  Verdict not_run;
  EXPECT_EQ(start_failure({cases[0], cases[1]}, {verdicts[0], not_run}, s), "");
}

// The runner itself: a wrapper that fails every case gives the line, in the
// terminal report and in the results file, next to the build's manifest.
TEST_F(Folder, TheRunnerNamesACauseCommonToEveryCase) {
  const fs::path wrapper = root_ / "broken-emulator";
  std::ofstream(wrapper) << "#!/bin/sh\necho \"broken-emulator: cannot load $1\" >&2\nexit 1\n";
  fs::permissions(wrapper, fs::perms::owner_all);
  const fs::path json = root_ / "results.json", out = root_ / "out.txt";
  const std::string command = std::string(RUNNER) +
                              " --bin-dir " SUITE_BIN_DIR " --cases " SUITE_CASES_DIR
                              " --filter '^gcd_loop$' --jobs 2"
                              " --wrapper " +
                              wrapper.string() + " --json " + json.string() + " > " + out.string() +
                              " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string report = slurp(out), results = slurp(json);
  const std::string line =
      "likely cause: every case failed the same way before the program's own output began: "
      "the wrapper or the build, not the programs: stderr: broken-emulator: cannot load "
      "PROGRAM";
  EXPECT_NE(report.find(line + "\n"), std::string::npos) << report;
  EXPECT_NE(report.find("build: compiler " COMPILER_ID), std::string::npos) << report;
  EXPECT_NE(results.find(line), std::string::npos) << results;
  EXPECT_NE(results.find("\"program_flags\""), std::string::npos) << results;
}

}  // namespace
