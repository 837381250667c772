#include "judge.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "escape.hpp"
#include "files.hpp"
#include "float_diff.hpp"
#include "image_diff.hpp"
#include "process.hpp"
#include "reproduce.hpp"

namespace fs = std::filesystem;
using common::Case;
using common::RunResult;

namespace conformance {

namespace {

// Printable form of s[from, to), stopped once the escaped text passes 160
// characters (a line of control bytes is cut sooner than one of letters).
std::string escaped_span(const std::string& s, std::size_t from, std::size_t to) {
  std::string v;
  for (std::size_t i = from; i < to && i < s.size(); i++) {
    v += common::c_escape(s.substr(i, 1));
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
  msg << "    expected: \"" << escaped_span(want, line_start, line_end(want)) << "\"\n";
  msg << "    actual:   \"" << escaped_span(got, line_start, line_end(got)) << "\"\n";
  return msg.str();
}

// An image or a float read as a person would compare them, when the output
// is one.
std::string closer_look(const std::string& want, const std::string& got) {
  auto line = image_difference(want, got);
  if (!line) line = float_difference(want, got);
  return line ? "    " + *line + "\n" : "";
}

std::string seconds_text(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", seconds);
  return text;
}

common::RunLimits limits_for(const Case& c, const Settings& s) {
  common::RunLimits limits;
  limits.timeout_seconds = s.timeout;
  limits.max_out = s.record ? record_limit : c.out->size() + output_margin;
  limits.max_err = s.record ? record_limit : c.err->size() + output_margin;
  limits.max_memory = s.memory;
  return limits;
}

// How the run ended, when it did not end by exiting.
std::string abnormal_end(const RunResult& r, const Case& c, const Settings& s) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.overflow != 0) {
    const auto& want = r.overflow == 1 ? c.out : c.err;
    return std::string(r.overflow == 1 ? "stdout" : "stderr") + " passed " +
           with_commas(r.overflow_bytes) + " bytes, " + with_commas(want ? want->size() : 0) +
           " expected: stopped";
  }
  if (r.timed_out) return "timed out after " + seconds_text(s.timeout) + " of wall-clock time";
  if (const std::string bound = common::bound_verdict(r, limits_for(c, s)); !bound.empty())
    return bound;
  if (r.signal != 0)
    return "killed by signal " + std::to_string(r.signal) + " (" + strsignal(r.signal) + ")";
  return "";
}

// The short message of a failure: its first and weightiest reason.
std::string headline(const RunResult& r, const std::string& ended, const Case& c) {
  if (!ended.empty()) return ended;
  if (r.status != *c.status)
    return "exit status " + std::to_string(r.status) + ", expected " + std::to_string(*c.status);
  if (r.left_running) return "left a process running";
  return "output differs";
}

Verdict judge(const Case& c, const RunResult& r, const Settings& s) {
  Verdict out;
  out.finished = true;
  out.seconds = r.seconds;
  const std::string ended = abnormal_end(r, c, s);
  std::string why;
  if (!ended.empty() && r.overflow == 0)
    why += "  expected exit status " + std::to_string(*c.status) + ", got " + ended + "\n";
  else if (!ended.empty())
    why += "  " + ended + "\n";
  else if (r.status != *c.status)
    why += "  expected exit status " + std::to_string(*c.status) + ", got exit status " +
           std::to_string(r.status) + "\n";
  if (r.timed_out) why += timeout_words(s.timeout, r.cpu_seconds);
  if (r.left_running) why += "  left a process running after it exited (the runner ended it)\n";
  if (r.out != *c.out)
    why += "  " + first_difference("stdout", *c.out, r.out) + closer_look(*c.out, r.out);
  if (r.err != *c.err)
    why += "  " + first_difference("stderr", *c.err, r.err) + closer_look(*c.err, r.err);
  out.passed = why.empty();
  out.details = why;
  if (out.passed) return out;
  out.message = headline(r, ended, c);
  out.difference = classify_run(c, r);
  out.out = r.out;
  out.err = r.err;
  return out;
}

std::string status_text(int status) {
  return std::to_string(status) + "\n";
}

// Writes one expected file (or reports why not); false when the case fails.
bool record_file(const std::string& path, const std::optional<std::string>& old,
                 const std::string& now, const Settings& s, std::string& details) {
  if (old && *old == now) return true;
  if (old && !s.overwrite) {
    details += "  " + path + " differs; not overwritten (add --overwrite)\n";
    return false;
  }
  if (!common::write_file(path, now)) {
    details += "  cannot write " + path + "\n";
    return false;
  }
  details += "  recorded " + path + "\n";
  return true;
}

Verdict record_case(const Case& c, const RunResult& r, const Settings& s) {
  Verdict out;
  out.finished = true;
  out.seconds = r.seconds;
  const std::string ended = abnormal_end(r, c, s);
  if (!ended.empty() || r.left_running) {
    out.message = ended.empty() ? "left a process running" : ended;
    out.details = "  " + out.message + ": nothing recorded\n";
    return out;
  }
  const auto old_status =
      c.status ? std::optional<std::string>(status_text(*c.status)) : std::nullopt;
  out.passed = record_file(c.base + ".out", c.out, r.out, s, out.details);
  out.passed &= record_file(c.base + ".err", c.err, r.err, s, out.details);
  out.passed &= record_file(c.base + ".status", old_status, status_text(r.status), s, out.details);
  if (!out.passed) out.message = "not recorded";
  return out;
}

Verdict unusable(const std::string& why) {
  Verdict out;
  out.finished = true;
  out.message = why;
  out.details = "  " + why + "\n";
  return out;
}

}  // namespace

std::string with_commas(std::size_t n) {
  std::string digits = std::to_string(n), text;
  for (std::size_t i = 0; i < digits.size(); i++) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

// A program that mostly waited was likely starved (a loaded machine, an
// emulator), not stuck in a loop: then a longer limit is the remedy.
std::string timeout_words(double limit_seconds, double cpu_seconds) {
  char line[200];
  const double share = limit_seconds > 0 ? cpu_seconds / limit_seconds : 0.0;
  std::snprintf(line, sizeof line, "  in those %g s it had %.2g s of processor time (%.0f%%)",
                limit_seconds, cpu_seconds, 100.0 * share);
  if (share >= 0.5) return std::string(line) + ": it was computing all along\n";
  return std::string(line) +
         ": it was mostly waiting, as on a loaded or emulated machine; a longer --timeout may "
         "let it finish\n";
}

Verdict check_case(const Case& c, const Settings& s) {
  if (!c.problem.empty()) return unusable(c.problem);
  if (!s.record && (!c.out || !c.err || !c.status))
    return unusable("incomplete case: needs " + c.name + ".out, .err and .status");
  std::vector<std::string> argv = s.wrapper;
  argv.push_back((fs::path(s.bin_dir) / c.program).string());
  const RunResult r =
      common::run_process(argv, c.has_input ? c.base + ".in" : "", limits_for(c, s));
  if (r.interrupted) return Verdict{};
  Verdict out = s.record ? record_case(c, r, s) : judge(c, r, s);
  if (!s.record && !out.passed) out.reproduce = reproduce_command(c, s, r.timed_out);
  out.timed_out = r.timed_out;
  out.cpu_seconds = r.cpu_seconds;
  out.user_seconds = r.user_seconds;
  out.max_rss_bytes = r.max_rss_bytes;
  return out;
}

}  // namespace conformance
