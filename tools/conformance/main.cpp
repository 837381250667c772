// conformance: runs the suite's programs over their golden cases and compares
// standard output, standard error and exit status byte for byte.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cases.hpp"
#include "generate.hpp"
#include "process.hpp"

namespace fs = std::filesystem;
using namespace conformance;

namespace {

#ifndef SUITE_CASES_DIR
#define SUITE_CASES_DIR "tests/cases"
#endif
// The installed cases, relative to the folder holding the installed runner.
#ifndef SUITE_INSTALLED_CASES
#define SUITE_INSTALLED_CASES "../share/conformance_suite/cases"
#endif

struct Defaults {
  std::string bin_dir = ".";
  std::string cases_dir = SUITE_CASES_DIR;
};

// An installed runner (one with the installed cases beside it) checks the
// programs installed next to it against those cases; a runner in a build
// tree uses the source tree's cases.
Defaults find_defaults(const char* argv0) {
  Defaults d;
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    if (std::strchr(argv0, '/') == nullptr) return d;
    self = fs::absolute(argv0, ec);
    if (ec) return d;
  }
  const fs::path here = self.parent_path();
  const fs::path cases = (here / SUITE_INSTALLED_CASES).lexically_normal();
  if (fs::is_directory(cases, ec)) {
    d.bin_dir = here.string();
    d.cases_dir = cases.string();
  }
  return d;
}

struct Options {
  std::string bin_dir;
  std::string cases_dir;
  std::vector<std::string> wrapper;
  std::string filter;
  std::string junit;
  int jobs = 1;
  double timeout = 10.0;
  bool record = false;
  bool overwrite = false;
  bool list = false;
  bool verbose = false;
  generate::CompareOptions generated;  // --generate N: compare against a reference build
};

std::string usage_text(const Defaults& d) {
  return "usage: conformance [options]\n"
         "  --bin-dir DIR     folder holding the programs (default: " +
         d.bin_dir +
         ")\n"
         "  --cases DIR       folder of golden cases, one subfolder per program\n"
         "                    (default: " +
         d.cases_dir +
         ")\n"
         "  --wrapper 'CMD'   run each program as CMD PROGRAM, e.g. 'qemu-arm -L "
         "/usr/arm-linux-gnueabihf'\n"
         "  --filter REGEX    only programs whose name matches REGEX (searched, POSIX "
         "extended syntax)\n"
         "  --jobs N          run N cases at once (default 1; 0 = one per processor)\n"
         "  --timeout SECS    per case (default 10)\n"
         "  --junit FILE      also write the results as JUnit XML\n"
         "  --record          write expected files that are missing from a trusted build's output\n"
         "  --overwrite       with --record, also replace expected files that differ\n"
         "  --list            list the cases and exit\n"
         "  --verbose         also name every case that passed\n" +
         generate::option_help;
}

Defaults defaults;

[[noreturn]] void usage_error(const std::string& message) {
  std::fprintf(stderr, "conformance: %s\n%s", message.c_str(), usage_text(defaults).c_str());
  std::exit(2);
}

std::vector<std::string> split_words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

Options parse_options(int argc, char** argv) {
  Options o;
  o.bin_dir = defaults.bin_dir;
  o.cases_dir = defaults.cases_dir;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage_error(a + " needs a value");
      return argv[++i];
    };
    if (a == "--bin-dir")
      o.bin_dir = value();
    else if (a == "--cases")
      o.cases_dir = value();
    else if (a == "--wrapper")
      o.wrapper = split_words(value());
    else if (a == "--filter")
      o.filter = value();
    else if (a == "--junit")
      o.junit = value();
    else if (a == "--jobs")
      o.jobs = std::atoi(value().c_str());
    else if (a == "--timeout")
      o.timeout = std::atof(value().c_str());
    else if (a == "--record")
      o.record = true;
    else if (a == "--overwrite")
      o.overwrite = true;
    else if (a == "--list")
      o.list = true;
    else if (a == "--verbose")
      o.verbose = true;
    else if (std::string error; generate::parse_option(a, value, o.generated, error)) {
      if (!error.empty()) usage_error(error);
    } else if (a == "--help" || a == "-h") {
      std::fputs(usage_text(defaults).c_str(), stdout);
      std::exit(0);
    } else
      usage_error("unknown option " + a);
  }
  if (o.jobs <= 0) o.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (o.timeout <= 0) usage_error("--timeout must be positive");
  if (o.overwrite && !o.record) usage_error("--overwrite goes with --record");
  return o;
}

// Printable form of a stretch of output: escapes for control bytes and bytes
// above 126, cut to a readable length.
std::string visible(const std::string& s, std::size_t from, std::size_t to) {
  std::string v;
  for (std::size_t i = from; i < to && i < s.size(); i++) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '\n')
      v += "\\n";
    else if (c == '\t')
      v += "\\t";
    else if (c == '\\')
      v += "\\\\";
    else if (c < 32 || c > 126) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      v += hex;
    } else
      v += static_cast<char>(c);
    if (v.size() > 160) {
      v += "...";
      break;
    }
  }
  return v;
}

// Where two outputs first differ, as a few lines a person can read.
std::string first_difference(const char* stream, const std::string& want, const std::string& got) {
  std::size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) at++;
  std::size_t line =
      1 + static_cast<std::size_t>(std::count(want.begin(), want.begin() + at, '\n'));
  std::size_t line_start = want.rfind('\n', at == 0 ? 0 : at - 1);
  line_start = (line_start == std::string::npos || at == 0) ? 0 : line_start + 1;
  if (at > 0 && want[at - 1] == '\n') line_start = at;
  auto line_end = [&](const std::string& s) {
    std::size_t e = s.find('\n', at);
    return e == std::string::npos ? s.size() : e + 1;
  };
  std::ostringstream msg;
  msg << stream << " differs at byte " << at << " (line " << line << ", column "
      << (at - line_start + 1) << "); expected " << want.size() << " bytes, got " << got.size()
      << "\n";
  msg << "    expected: \"" << visible(want, line_start, line_end(want)) << "\"\n";
  msg << "    actual:   \"" << visible(got, line_start, line_end(got)) << "\"\n";
  return msg.str();
}

std::string describe_status(const RunResult& r) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.timed_out) return "timed out";
  if (r.signal != 0)
    return std::string("killed by signal ") + std::to_string(r.signal) + " (" +
           strsignal(r.signal) + ")";
  return "exit status " + std::to_string(r.status);
}

struct Outcome {
  bool passed = false;
  std::string details;  // why it failed, or what --record wrote
  double seconds = 0.0;
};

std::string status_text(int status) {
  return std::to_string(status) + "\n";
}

Outcome record_case(const Case& c, const RunResult& r, const Options& o) {
  Outcome out;
  out.seconds = r.seconds;
  if (!r.spawn_error.empty() || r.timed_out || r.signal != 0) {
    out.details = "  " + describe_status(r) + ": nothing recorded\n";
    return out;
  }
  struct Slot {
    const char* ext;
    const std::optional<std::string>& old;
    std::string now;
  } slots[] = {
      {".out", c.out, r.out},
      {".err", c.err, r.err},
      {".status",
       c.status ? std::optional<std::string>(status_text(*c.status)) : std::optional<std::string>(),
       status_text(r.status)}};
  out.passed = true;
  for (const auto& s : slots) {
    std::string path = c.base + s.ext;
    if (s.old && *s.old == s.now) continue;
    if (s.old && !o.overwrite) {
      out.passed = false;
      out.details += "  " + path + " differs; not overwritten (add --overwrite)\n";
      continue;
    }
    if (!write_file(path, s.now)) {
      out.passed = false;
      out.details += "  cannot write " + path + "\n";
      continue;
    }
    out.details += std::string("  recorded ") + path + "\n";
  }
  return out;
}

Outcome check_case(const Case& c, const Options& o) {
  Outcome out;
  if (!c.problem.empty()) {
    out.details = "  " + c.problem + "\n";
    return out;
  }
  if (!o.record && (!c.out || !c.err || !c.status)) {
    out.details = "  incomplete case: needs " + c.name + ".out, .err and .status\n";
    return out;
  }
  std::vector<std::string> argv = o.wrapper;
  argv.push_back((fs::path(o.bin_dir) / c.program).string());
  RunResult r = run_process(argv, c.has_input ? c.base + ".in" : "", o.timeout);
  if (o.record) return record_case(c, r, o);
  out.seconds = r.seconds;
  std::string why;
  if (r.status != *c.status || r.timed_out || r.signal != 0 || !r.spawn_error.empty())
    why += "  expected exit status " + std::to_string(*c.status) + ", got " + describe_status(r) +
           "\n";
  if (r.out != *c.out) why += "  " + first_difference("stdout", *c.out, r.out);
  if (r.err != *c.err) why += "  " + first_difference("stderr", *c.err, r.err);
  out.passed = why.empty();
  out.details = why;
  return out;
}

std::string xml_escape(const std::string& s) {
  std::string e;
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '<':
        e += "&lt;";
        break;
      case '>':
        e += "&gt;";
        break;
      case '&':
        e += "&amp;";
        break;
      case '"':
        e += "&quot;";
        break;
      default:
        if (c < 32 && ch != '\n' && ch != '\t')
          e += '?';
        else
          e += ch;
    }
  }
  return e;
}

struct ProgramSummary {
  std::string name;
  int cases = 0;
  int failed = 0;
  double seconds = 0.0;
};

void write_junit(const std::string& path, const std::vector<Case>& cases,
                 const std::vector<Outcome>& outcomes,
                 const std::vector<ProgramSummary>& programs) {
  std::ostringstream x;
  int failures = 0;
  for (const auto& o : outcomes) failures += o.passed ? 0 : 1;
  x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  x << "<testsuites name=\"conformance\" tests=\"" << cases.size() << "\" failures=\"" << failures
    << "\">\n";
  std::size_t i = 0;
  for (const auto& p : programs) {
    x << "  <testsuite name=\"" << xml_escape(p.name) << "\" tests=\"" << p.cases
      << "\" failures=\"" << p.failed << "\" time=\"" << p.seconds << "\">\n";
    for (; i < cases.size() && cases[i].program == p.name; i++) {
      x << "    <testcase classname=\"" << xml_escape(p.name) << "\" name=\""
        << xml_escape(cases[i].name) << "\" time=\"" << outcomes[i].seconds << "\"";
      if (outcomes[i].passed) {
        x << "/>\n";
      } else {
        x << ">\n      <failure message=\"output differs\">" << xml_escape(outcomes[i].details)
          << "</failure>\n    </testcase>\n";
      }
    }
    x << "  </testsuite>\n";
  }
  x << "</testsuites>\n";
  if (!write_file(path, x.str()))
    std::fprintf(stderr, "conformance: cannot write %s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  defaults = find_defaults(argc > 0 ? argv[0] : "");
  Options o = parse_options(argc, argv);
  if (o.generated.inputs > 0) {
    generate::CompareOptions& g = o.generated;
    g.bin_dir = o.bin_dir, g.wrapper = o.wrapper, g.filter = o.filter;
    g.jobs = o.jobs, g.timeout = o.timeout;
    if (g.against.empty()) g.against = generate::own_folder();
    const generate::Summary s = generate::compare_builds(g, stdout);
    return s.setup_error ? 2 : s.differed > 0 ? 1 : 0;
  } else if (!o.generated.against.empty() || !o.generated.save_dir.empty()) {
    usage_error("--against and --save-differences go with --generate");
  }
  if (!fs::is_directory(o.cases_dir)) usage_error("no case folder " + o.cases_dir);
  std::vector<Case> cases;
  try {
    cases = load_cases(o.cases_dir, o.filter);
  } catch (const std::invalid_argument& e) {
    usage_error("bad --filter: " + std::string(e.what()));
  }
  if (cases.empty()) {
    std::fprintf(stderr, "conformance: no cases match the filter '%s' in %s\n", o.filter.c_str(),
                 o.cases_dir.c_str());
    return 1;
  }
  if (o.list) {
    for (const auto& c : cases) std::printf("%s/%s\n", c.program.c_str(), c.name.c_str());
    return 0;
  }

  std::vector<Outcome> outcomes(cases.size());
  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t i; (i = next++) < cases.size();) outcomes[i] = check_case(cases[i], o);
  };
  std::vector<std::thread> pool;
  for (int j = 1; j < std::min<int>(o.jobs, static_cast<int>(cases.size())); j++)
    pool.emplace_back(worker);
  worker();
  for (auto& t : pool) t.join();

  std::vector<ProgramSummary> programs;
  int passed = 0, failed = 0;
  for (std::size_t i = 0; i < cases.size(); i++) {
    if (programs.empty() || programs.back().name != cases[i].program)
      programs.push_back({cases[i].program});
    ProgramSummary& p = programs.back();
    p.cases++;
    p.seconds += outcomes[i].seconds;
    if (outcomes[i].passed) {
      passed++;
      if (o.record && !outcomes[i].details.empty())
        std::printf("%s/%s\n%s", cases[i].program.c_str(), cases[i].name.c_str(),
                    outcomes[i].details.c_str());
      else if (o.verbose)
        std::printf("pass %s/%s\n", cases[i].program.c_str(), cases[i].name.c_str());
    } else {
      failed++;
      p.failed++;
      std::printf("FAIL %s/%s\n%s", cases[i].program.c_str(), cases[i].name.c_str(),
                  outcomes[i].details.c_str());
    }
  }

  std::size_t width = 7;
  for (const auto& p : programs) width = std::max(width, p.name.size());
  std::printf("\n%-*s %6s  %-16s %9s\n", static_cast<int>(width), "program", "cases", "result",
              "time (ms)");
  for (const auto& p : programs) {
    std::string result =
        p.failed == 0 ? "pass"
                      : "FAIL " + std::to_string(p.failed) + " of " + std::to_string(p.cases);
    std::printf("%-*s %6d  %-16s %9.1f\n", static_cast<int>(width), p.name.c_str(), p.cases,
                result.c_str(), p.seconds * 1000.0);
  }
  int failed_programs = 0;
  for (const auto& p : programs) failed_programs += p.failed ? 1 : 0;
  std::printf("\n%zu programs, %zu cases; %d programs failed\n", programs.size(), cases.size(),
              failed_programs);
  std::printf("%d passed, %d failed\n", passed, failed);
  if (!o.junit.empty()) write_junit(o.junit, cases, outcomes, programs);
  return failed == 0 ? 0 : 1;
}
