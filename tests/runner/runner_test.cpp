// The runner on broken builds: fake programs that print without end, leave
// processes behind or hang; interrupts; option values that must be refused;
// result files and case folders that must not be lost or abort the run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "options.hpp"

namespace fs = std::filesystem;

namespace {

struct Finished {
  int status = -1;  // exit status, or 128 + signal
  std::string out, err;
  long peak_kb = 0;  // the runner's peak resident memory
  double seconds = 0.0;
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void spit(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string last_line(const std::string& text) {
  const auto end = text.size() && text.back() == '\n' ? text.size() - 1 : text.size();
  const auto start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start + 1));
}

// A scratch folder with a bin/ of fakes and a cases/ folder, and the runner
// run on them with its output in files.
class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    // Parameterized tests are named NAME/N: one folder, not two.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    root_ = fs::temp_directory_path() / ("runner-test-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(root_);
    fs::create_directories(bin());
    fs::create_directories(cases());
    fs::create_directories(pids());
    fs::create_directories(here());
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path bin() const { return root_ / "bin"; }
  fs::path cases() const { return root_ / "cases"; }
  fs::path pids() const { return root_ / "pids"; }
  // The runner's working folder: no case may write there.
  fs::path here() const { return root_ / "here"; }

  // A golden case of the fake `program`, expecting `out`, no stderr, status.
  void add_case(const std::string& program, const std::string& name, const std::string& out,
                int status = 0, const std::string& err = "") {
    if (!fs::exists(bin() / program)) fs::create_symlink(FAKE_PROGRAM, bin() / program);
    fs::create_directories(cases() / program);
    spit(cases() / program / (name + ".out"), out);
    spit(cases() / program / (name + ".err"), err);
    spit(cases() / program / (name + ".status"), std::to_string(status) + "\n");
  }

  // Runs the runner over the scratch folders; `signal` is sent after `delay`.
  Finished run(std::vector<std::string> args, int signal = 0, int delay_ms = 0) {
    args.insert(args.begin(), {RUNNER, "--bin-dir", bin().string(), "--cases", cases().string()});
    return run_command(std::move(args), signal, delay_ms);
  }

  // A build whose `program` starts `seconds` late, then runs ours.
  void add_slow(const std::string& program, const char* seconds) {
    spit(bin() / program, std::string("#!/bin/sh\nsleep ") + seconds + "\nexec " + SUITE_BIN_DIR +
                              "/" + program + "\n");
    fs::permissions(bin() / program, fs::perms::owner_all);
  }

  Finished run_command(std::vector<std::string> args, int signal, int delay_ms) {
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("FAKE_PID_DIR", pids().c_str(), 1);
      if (chdir(here().c_str()) != 0) _exit(126);
      int out = open((root_ / "out").c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
      int err = open((root_ / "err").c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
      dup2(out, 1);
      dup2(err, 2);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    if (signal != 0) {
      usleep(static_cast<useconds_t>(delay_ms) * 1000);
      kill(pid, signal);
    }
    Finished r;
    int wstatus = 0;
    rusage usage = {};
    wait4(pid, &wstatus, 0, &usage);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    r.peak_kb = usage.ru_maxrss;
    r.out = slurp(root_ / "out");
    r.err = slurp(root_ / "err");
    return r;
  }

  // Processes the fakes started that are still alive (zombies are not).
  std::vector<std::string> survivors() const {
    std::vector<std::string> alive;
    for (const auto& entry : fs::directory_iterator(pids())) {
      const std::string stat = slurp("/proc/" + entry.path().filename().string() + "/stat");
      const auto paren = stat.rfind(')');
      if (paren != std::string::npos && stat.size() > paren + 2 && stat[paren + 2] != 'Z')
        alive.push_back(entry.path().filename().string());
    }
    return alive;
  }

  std::size_t started_processes() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(pids()), {}));
  }

  fs::path root_;
};

using BrokenBuild = Scratch;

TEST_F(BrokenBuild, EndlessOutputIsStoppedAtOnceInBoundedMemory) {
  for (int k = 0; k < 4; k++) {
    add_case("endless_stdout", "case" + std::to_string(k), "ok\n");
    add_case("endless_stderr", "case" + std::to_string(k), "ok\n");
  }
  const Finished r = run({"--timeout", "60", "--jobs", "4"});
  EXPECT_EQ(r.status, 1);
  // Eight cases, four at a time: well under a second each, and far from the
  // minute a run that waited for the limit would take (even on a busy machine).
  EXPECT_LT(r.seconds, 20.0);
  EXPECT_NE(r.out.find("stdout passed "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" bytes, 3 expected: stopped"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("stderr passed "), std::string::npos) << r.out;
  EXPECT_EQ(last_line(r.out), "0 passed, 8 failed");
  // Expected sizes of a few bytes: the captures stay near the 64 KiB margin.
  // (A sanitized runner's shadow memory is no measure of that.)
  if (!RUNNER_SANITIZED) {
    EXPECT_LT(r.peak_kb, 24 * 1024);
  }
  EXPECT_TRUE(survivors().empty());
}

TEST_F(BrokenBuild, LeftoverProcessesEndWithTheCaseAndFailIt) {
  add_case("child_holds_stdout", "holds", "parent\n", 0);
  add_case("grandchild_closes", "closes", "parent\n");
  add_case("grandchild_setsid", "setsid", "parent\n");
  const Finished r = run({"--timeout", "60", "--junit", (root_ / "r.xml").string()});
  EXPECT_EQ(r.status, 1);
  // The leftovers sleep a minute.
  EXPECT_LT(r.seconds, 20.0) << "waited for a leftover instead of the program";
  // The program's own status is judged, not a timeout.
  EXPECT_NE(r.out.find("expected exit status 0, got exit status 3"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("timed out"), std::string::npos) << r.out;
  std::size_t verdicts = 0;
  for (auto at = r.out.find("left a process running"); at != std::string::npos;
       at = r.out.find("left a process running", at + 1))
    verdicts++;
  EXPECT_EQ(verdicts, 3u) << r.out;
  EXPECT_EQ(last_line(r.out), "0 passed, 3 failed");
  EXPECT_NE(slurp(root_ / "r.xml").find("message=\"left a process running\""), std::string::npos);
  EXPECT_EQ(started_processes(), 6u);
  EXPECT_TRUE(survivors().empty());
}

TEST_F(BrokenBuild, ATimeoutNamesItsLimitAndEndsEveryProcess) {
  add_case("sleeper", "nap", "");
  const fs::path xml = root_ / "r.xml";
  const Finished r = run({"--timeout", "0.3", "--junit", xml.string()});
  EXPECT_EQ(r.status, 1);
  // The sleeper and its child sleep a minute.
  EXPECT_LT(r.seconds, 20.0);
  EXPECT_NE(r.out.find("expected exit status 0, got timed out after 0.3 s of wall-clock time\n"
                       "  in those 0.3 s it had "),
            std::string::npos)
      << r.out;
  // A sleeper uses no processor time: the limit, not the program, is at fault.
  EXPECT_NE(r.out.find("it was mostly waiting"), std::string::npos) << r.out;
  EXPECT_NE(slurp(xml).find("message=\"timed out after 0.3 s of wall-clock time\""),
            std::string::npos);
  // The command that reproduces it is bounded by the same limit.
  EXPECT_NE(r.out.find("reproduce: cd \"$(mktemp -d)\" && timeout 0.3 "), std::string::npos)
      << r.out;
  EXPECT_EQ(started_processes(), 2u);
  EXPECT_TRUE(survivors().empty());
}

class Interrupt : public Scratch, public ::testing::WithParamInterface<int> {};

TEST_P(Interrupt, EndsEveryCaseAndReportsWhatFinished) {
  add_case("aaa", "first", "ok\n");
  for (int k = 0; k < 4; k++) add_case("sleeper", "nap" + std::to_string(k), "");
  const Finished r = run({"--jobs", "2"}, GetParam(), 700);
  EXPECT_EQ(r.status, 128 + GetParam());
  EXPECT_LT(r.seconds, 20.0);  // the sleepers sleep a minute
  const std::string name = GetParam() == SIGINT    ? "SIGINT"
                           : GetParam() == SIGTERM ? "SIGTERM"
                                                   : "SIGHUP";
  EXPECT_NE(r.out.find("interrupted by " + name + ": 4 cases not run"), std::string::npos) << r.out;
  EXPECT_EQ(last_line(r.out), "1 passed, 0 failed");
  EXPECT_GE(started_processes(), 2u);
  EXPECT_TRUE(survivors().empty());
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupt, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

// An input that did not run on both builds is never counted as agreeing.
TEST_F(Interrupt, AComparisonCountsWhatDidNotRun) {
  add_slow("gcd_loop", "1");
  const Finished r =
      run({"--generate", "40", "--against", SUITE_BIN_DIR, "--filter", "^gcd_loop$", "--jobs", "2"},
          SIGINT, 1000);
  EXPECT_EQ(r.status, 130);
  // Uninterrupted, the slow build alone would take 20 s.
  EXPECT_LT(r.seconds, 10.0);
  long agreed = -1, differed = -1, not_run = -1;
  ASSERT_EQ(std::sscanf(last_line(r.out).c_str(),
                        "%ld agreed, %ld differed, %ld not run (interrupted by SIGINT)", &agreed,
                        &differed, &not_run),
            3)
      << r.out;
  EXPECT_EQ(differed, 0);
  // Two at a time, a second each: about two pairs can finish in the second.
  EXPECT_LE(agreed, 12);
  EXPECT_EQ(agreed + not_run, 40);
}

TEST_F(Interrupt, TheHostileDriverCountsWhatDidNotRun) {
  add_slow("gcd_loop", "0.3");
  spit(root_ / "list", "gcd_loop numeric\n");
  const Finished r =
      run_command({HOSTILE, "--bin-dir", bin().string(), "--list", (root_ / "list").string(),
                   "--cases", SUITE_CASES_DIR, "--jobs", "2"},
                  SIGINT, 1000);
  EXPECT_EQ(r.status, 130);
  std::size_t not_run = 0, inputs = 0;
  const auto at = r.out.find("\ngcd_loop: ");
  ASSERT_NE(at, std::string::npos) << r.out;
  ASSERT_EQ(
      std::sscanf(r.out.c_str() + at, "\ngcd_loop: %zu of %zu inputs not run", &not_run, &inputs),
      2)
      << r.out;
  EXPECT_GT(not_run, inputs - 12);
  EXPECT_LE(not_run, inputs);
  EXPECT_EQ(r.out.find("ok   gcd_loop"), std::string::npos) << r.out;
}

using Options = Scratch;

TEST_F(Options, ValuesMeaningNoLimitOrNothingAreRefusedBeforeAnyRun) {
  add_case("ok", "plain", "ok\n");
  const std::vector<std::vector<std::string>> bad = {
      {"--timeout", "nan"},
      {"--timeout", "inf"},
      {"--timeout", "1e10"},
      {"--timeout", "0"},
      {"--timeout", "-1"},
      {"--timeout", "1x"},
      {"--timeout", "25h"},
      {"--timeout"},
      {"--jobs", "abc"},
      {"--jobs", "-3"},
      {"--jobs", "257"},
      {"--jobs", ""},
      {"--speed", "2"},
      {"--wrapper", "'open"},
      {"--wrapper", "/no/such/emulator"},
      {"--bin-dir", "/no/such/folder"},
      {"--list=yes"},
  };
  for (const auto& args : bad) {
    const Finished r = run(args);
    const std::string shown = args[0] + (args.size() > 1 ? " " + args[1] : "");
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.err.rfind("conformance: ", 0), 0u) << shown << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << ": " << r.err;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(started_processes(), 0u) << shown;
  }
  // Units are accepted, and so is the "=" form.
  EXPECT_EQ(run({"--timeout", "1m", "--jobs=0"}).status, 0);
  EXPECT_EQ(run({"--timeout=0.5h"}).status, 0);
}

TEST_F(Options, WrapperWordsFollowShellQuoting) {
  add_case("ok", "plain", "ok\n");
  const fs::path dir = root_ / "with space";
  fs::create_directories(dir);
  spit(dir / "run it", "#!/bin/sh\nexec \"$@\"\n");
  fs::permissions(dir / "run it", fs::perms::owner_all);
  const std::string path = (dir / "run it").string();
  EXPECT_EQ(run({"--wrapper", "'" + path + "'"}).status, 0);
  EXPECT_EQ(run({"--wrapper", "\"" + path + "\""}).status, 0);
  std::string escaped;
  for (char c : path) escaped += (c == ' ' ? "\\ " : std::string(1, c));
  EXPECT_EQ(run({"--wrapper", escaped}).status, 0);
  EXPECT_EQ(run({"--wrapper", "env 'A=x y'"}).status, 0);
}

using Results = Scratch;

TEST_F(Results, AnUnwritableJunitFileIsAnErrorAfterTheReport) {
  add_case("ok", "plain", "ok\n");
  const Finished r = run({"--junit", (root_ / "no" / "such" / "r.xml").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(last_line(r.out), "1 passed, 0 failed");
  EXPECT_NE(r.err.find("cannot write the JUnit file"), std::string::npos) << r.err;
}

TEST_F(Results, JunitIsWellFormedForAnyBytes) {
  const std::string odd = std::string("bad\xff\xfe") + "\x01name";
  add_case("ok", odd, "no\x02\xc3\n");
  add_case("ok", "plain", "ok\n");
  const fs::path xml = root_ / "r.xml";
  const Finished r = run({"--junit", xml.string()});
  EXPECT_EQ(r.status, 1);
  const std::string text = slurp(xml);
  EXPECT_NE(text.find("name=\"bad\\xff\\xfe\\x01name\""), std::string::npos) << text;
  EXPECT_NE(text.find("message=\"output differs\""), std::string::npos) << text;
  if (std::string(PYTHON).empty()) GTEST_SKIP() << "no python3 to parse the file";
  const std::string parse =
      std::string(PYTHON) +
      " -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' " + xml.string();
  EXPECT_EQ(std::system(parse.c_str()), 0) << text;
}

TEST_F(Results, CaseFolderProblemsAreLinesNotAborts) {
  add_case("ok", "plain", "ok\n");
  fs::create_directory_symlink("loop", cases() / "loop");
  fs::create_directory_symlink("..", cases() / "ok" / "up");
  spit(cases() / "notes.txt", "stray\n");
  const Finished r = run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("loop: Too many levels of symbolic links"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("stray entry"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("notes.txt"), std::string::npos) << r.err;
  EXPECT_EQ(last_line(r.out), "1 passed, 0 failed");
}

using Kinds = Scratch;

TEST_F(Kinds, ValidOnlySkipsRejectionCasesAndSaysHowMany) {
  add_case("ok", "plain", "ok\n");
  add_case("ok", "reject_word", "", 2, "ok: expected a number\n");
  Finished r = run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(
      r.out.find("valid-input cases: 1 passed, 0 failed; rejection cases: 0 passed, 1 failed"),
      std::string::npos)
      << r.out;
  r = run({"--valid-only"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("rejection cases: 1 skipped (--valid-only)"), std::string::npos) << r.out;
  EXPECT_EQ(last_line(r.out), "1 passed, 0 failed");
}

TEST_F(Kinds, CasesBreakingTheNamingConventionAreMalformed) {
  add_case("ok", "reject_but_passes", "ok\n");
  add_case("ok", "quietly_rejects", "", 2, "ok: no input\n");
  const Finished r = run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("a reject_ case expects status 2"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("its name must start with reject_"), std::string::npos) << r.out;
  EXPECT_EQ(started_processes(), 0u);
}

using Layout = Scratch;

// Read from its end, as in a CI log: the table once, then the failures, the
// totals, the files written and the closing line.
TEST_F(Layout, TheTableOnceThenFailuresThenFilesWrittenThenTheClosingLine) {
  add_case("aaa", "one", "ok\n");
  add_case("ok", "one", "ok\n");
  add_case("zzz", "wrong", "no\n");
  const fs::path xml = root_ / "r.xml", html = root_ / "r.html";
  Finished r = run({"--junit", xml.string(), "--html", html.string()});
  EXPECT_EQ(r.status, 1);
  // Progress off a terminal counts cases; the table is printed once.
  EXPECT_EQ(r.out.rfind("[1/3] ", 0), 0u) << r.out;
  const auto table = r.out.find("program ");
  ASSERT_NE(table, std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("aaa          1  pass"), r.out.rfind("aaa          1  pass")) << r.out;
  const auto failure = r.out.find("FAIL zzz/wrong");
  EXPECT_LT(table, failure) << r.out;
  EXPECT_LT(r.out.find("zzz          1  FAIL 1 of 1"), failure) << r.out;
  const std::string ending = "wrote the HTML report " + html.string() + "\nwrote the JUnit file " +
                             xml.string() + "\n2 passed, 1 failed\n";
  ASSERT_GE(r.out.size(), ending.size());
  EXPECT_EQ(r.out.substr(r.out.size() - ending.size()), ending) << r.out;

  // Only what did not pass.
  r = run({"--failures-only", "--verbose"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("aaa "), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("pass "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("zzz          1  FAIL 1 of 1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("2 programs passed (not listed: --failures-only)"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("FAIL zzz/wrong"), std::string::npos) << r.out;
  EXPECT_EQ(last_line(r.out), "2 passed, 1 failed");
}

// The reproduce: line of each failure in the terminal report and JUnit.
std::vector<std::string> reproduce_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("reproduce: ", 0) == 0) lines.push_back(line.substr(11));
  return lines;
}

Finished shell(const std::string& command, const fs::path& folder) {
  Finished r;
  const std::string line = "cd '" + folder.string() + "' && sh -c \"$0\" > out.txt 2>&1";
  const pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", line.c_str(), command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  r.out = slurp(folder / "out.txt");
  return r;
}

// Pasted into a shell anywhere, the command runs the case as the runner did
// (wrapper, input, absolute paths, quoting) and shows the same difference.
TEST_F(Layout, AReproduceCommandShowsTheDifferenceFromAnyFolder) {
  const fs::path odd = root_ / "it's here";
  fs::create_directories(odd / "cases" / "ok");
  fs::create_directories(odd / "bin");
  fs::create_symlink(FAKE_PROGRAM, odd / "bin" / "ok");
  spit(odd / "cases" / "ok" / "wrong.in", "any input\n");
  spit(odd / "cases" / "ok" / "wrong.out", "no\n");
  spit(odd / "cases" / "ok" / "wrong.err", "");
  spit(odd / "cases" / "ok" / "wrong.status", "0\n");
  spit(odd / "wrap $x", "#!/bin/sh\nexec \"$@\"\n");
  fs::permissions(odd / "wrap $x", fs::perms::owner_all);
  const fs::path xml = root_ / "r.xml";
  const Finished r =
      run_command({RUNNER, "--bin-dir", (odd / "bin").string(), "--cases", (odd / "cases").string(),
                   "--wrapper", "'../it'\\''s here/wrap $x'", "--junit", xml.string()},
                  0, 0);
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  const auto lines = reproduce_lines(r.out);
  ASSERT_EQ(lines.size(), 1u) << r.out;
  std::string junit = slurp(xml);
  for (const auto& [entity, text] :
       {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
    for (auto at = junit.find(entity); at != std::string::npos; at = junit.find(entity))
      junit.replace(at, std::string(entity).size(), text);
  EXPECT_EQ(reproduce_lines(junit), lines) << junit;
  EXPECT_NE(lines[0].find("wrap $x'"), std::string::npos) << lines[0];

  const fs::path elsewhere = root_ / "elsewhere";
  fs::create_directories(elsewhere);
  const Finished differs = shell(lines[0], elsewhere);
  EXPECT_NE(differs.status, 0) << differs.out;
  EXPECT_NE(differs.out.find("\n-no\n+ok\n"), std::string::npos) << differs.out;
  // Once the expected output is what the program prints, the same command
  // shows nothing and succeeds.
  spit(odd / "cases" / "ok" / "wrong.out", "ok\n");
  const Finished same = shell(lines[0], elsewhere);
  EXPECT_EQ(same.status, 0) << same.out;
  EXPECT_EQ(same.out, "");
}

// Everyday mistakes end the run before it starts, with one line that says
// what to do.
TEST_F(Layout, AProgramFolderWithoutTheProgramsIsOneLineWithAHint) {
  add_case("aaa", "one", "ok\n");
  add_case("ok", "one", "ok\n");
  // The build folder instead of its bin/.
  Finished r =
      run_command({RUNNER, "--bin-dir", root_.string(), "--cases", cases().string()}, 0, 0);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "conformance: " + root_.string() +
                       " holds none of the 2 programs; did you mean " + bin().string() + "?\n");
  EXPECT_EQ(r.out, "");
  r = run_command(
      {RUNNER, "--bin-dir", cases().string(), "--cases", cases().string(), "--filter", "^ok$"}, 0,
      0);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "conformance: " + cases().string() + " does not hold ok\n");
  EXPECT_EQ(started_processes(), 0u);
  // Some programs missing is a partial build, judged as such.
  fs::remove(bin() / "aaa");
  r = run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("did not run"), std::string::npos) << r.out;
}

TEST_F(Layout, GenerateWithoutAReferenceBuildIsOneLine) {
  add_case("gcd_loop", "one", "ok\n");
  // This runner is in a build tree: no programs beside it to compare with.
  const Finished r = run({"--generate", "5", "--filter", "^gcd_loop$"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("conformance: --generate needs --against DIR", 0), 0u) << r.err;
  EXPECT_EQ(r.out, "");
}

// A broken build reaching past its case: memory, core dumps, files, its
// working folder, stopping itself.
class Contained : public Scratch {
 protected:
  // The working folder the fake noted, which must be gone after the run.
  fs::path noted_folder() const { return slurp(pids() / "cwd"); }
  bool nothing_left() const {
    return fs::is_empty(here()) && !noted_folder().empty() && !fs::exists(noted_folder());
  }
  // Bound and margin of the memory tests: a look every 2 ms near the bound
  // lets a fast toucher pass it by a few MiB.
  static constexpr long bound_mib = 256, margin_mib = 48;
  void expect_memory_stop(const Finished& r) {
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("used more than 256 MiB: stopped"), std::string::npos) << r.out;
    // Touching 256 MiB takes about 0.1 s on an idle machine and seconds on
    // a loaded one; what shows the stop came at the bound is the peak.
    EXPECT_LT(r.seconds, 30.0);
    // The peak of every process of the run, the runner's children included.
    EXPECT_LT(r.peak_kb, (bound_mib + margin_mib) * 1024);
    EXPECT_TRUE(survivors().empty());
  }
};

TEST_F(Contained, MemoryPastTheBoundEndsTheCaseAtOnce) {
  add_case("touch_2g", "big", "touched\n");
  expect_memory_stop(run({"--memory", "256M", "--timeout", "60", "--verbose"}));
}

TEST_F(Contained, MemoryIsBoundedBehindAWrapperThatExecsTheProgram) {
  add_case("touch_2g", "big", "touched\n");
  spit(root_ / "wrap", "#!/bin/sh\nexec \"$@\"\n");
  fs::permissions(root_ / "wrap", fs::perms::owner_all);
  expect_memory_stop(run({"--memory", "256", "--timeout", "60", "--wrapper", "../wrap"}));
}

TEST_F(Contained, MemoryIsCountedOverEveryProcessOfTheCase) {
  // 2 x 300 MiB: neither process alone passes 512 MiB.
  add_case("touch_in_two", "pair", "touched\ntouched\n");
  const Finished r = run({"--memory", "512M", "--timeout", "20"});
  EXPECT_NE(r.out.find("used more than 512 MiB: stopped"), std::string::npos) << r.out;
  EXPECT_TRUE(survivors().empty());
}

TEST_F(Contained, NoCoreDumpWhateverTheProgramAsks) {
  // Were the limit the runner's soft one, the program could raise it to this.
  rlimit mine = {};
  getrlimit(RLIMIT_CORE, &mine);
  mine.rlim_cur = mine.rlim_max;
  setrlimit(RLIMIT_CORE, &mine);
  add_case("crash_with_core", "crash", "", 0, "core limit 0 0\n");
  const Finished r = run({"--verbose"});
  EXPECT_NE(r.out.find("killed by signal 6"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("stderr differs"), std::string::npos) << r.out;
  EXPECT_TRUE(nothing_left()) << noted_folder();
}

TEST_F(Contained, AFileWrittenStaysInTheCaseFolderWhichGoes) {
  add_case("write_here", "writes", "ok\n");
  const Finished r = run({});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(noted_folder(), here());
  EXPECT_TRUE(nothing_left()) << noted_folder();
}

TEST_F(Contained, AnEndlessFileStopsAtTheFileLimit) {
  add_case("endless_file", "killed", "ok\n");
  add_case("endless_file_ignoring", "refused", "ok\n");
  const Finished r = run({"--timeout", "30"});
  EXPECT_EQ(r.status, 1);
  EXPECT_LT(r.seconds, 10.0);
  const std::string verdict = "wrote a file past the 64 MiB limit";
  const auto first = r.out.find(verdict);
  EXPECT_NE(first, std::string::npos) << r.out;
  EXPECT_NE(r.out.find(verdict, first + 1), std::string::npos) << r.out;
  EXPECT_TRUE(nothing_left()) << noted_folder();
}

TEST_F(Contained, AProgramThatStopsItselfIsEndedAndToldApart) {
  add_case("stops_itself", "stop", "ok\n");
  const Finished r = run({"--timeout", "30"});
  EXPECT_EQ(r.status, 1);
  EXPECT_LT(r.seconds, 10.0);
  EXPECT_NE(r.out.find("stopped itself with signal 19"), std::string::npos) << r.out;
  EXPECT_TRUE(survivors().empty());
}

TEST_F(Contained, MemoryValuesAreRefusedOutsideTheirRange) {
  add_case("ok", "plain", "ok\n");
  for (const char* bad : {"0", "0G", "65G", "65537", "1T", "1.5G", "-1", "", "1g", "1 G"}) {
    const Finished r = run({"--memory", bad});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.err.rfind("conformance: --memory takes a size", 0), 0u) << bad << ": " << r.err;
  }
  EXPECT_EQ(common::parse_mebibytes("-m", "300", 64ull << 30), 300ull << 20);
  EXPECT_EQ(common::parse_mebibytes("-m", "2GiB", 64ull << 30), 2ull << 30);
  EXPECT_EQ(common::parse_mebibytes("-m", "64G", 64ull << 30), 64ull << 30);
  EXPECT_EQ(run({"--memory", "512MiB"}).status, 0);
}

#ifdef FAKE_PROGRAM_ARM
// An emulator reserves far more address space than it touches: only what is
// resident counts, both ways.
TEST_F(Contained, UnderQemuTheMemoryBoundHoldsAndOrdinaryProgramsPass) {
  fs::create_symlink(FAKE_PROGRAM_ARM, bin() / "touch_2g");
  fs::create_symlink(FAKE_PROGRAM_ARM, bin() / "ok");
  add_case("touch_2g", "big", "touched\n");
  add_case("ok", "plain", "ok\n");
  expect_memory_stop(
      run({"--memory", "256M", "--timeout", "60", "--filter", "touch", "--wrapper", QEMU_ARM}));
  const Finished r = run({"--filter", "^ok$", "--wrapper", QEMU_ARM});
  EXPECT_EQ(r.status, 0) << r.out;
}
#endif

}  // namespace
