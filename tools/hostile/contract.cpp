#include "contract.hpp"

#include <cstdio>
#include <sstream>

#include "cases.hpp"

namespace hostile {

const char* ending_name(Ending ending) {
  switch (ending) {
    case Ending::accepted:
      return "accept";
    case Ending::rejected:
      return "reject";
    case Ending::crash:
      return "crash";
    case Ending::hang:
      return "hang";
    case Ending::sanitizer:
      return "sanitizer report";
    case Ending::bad_exit:
      return "stderr or status outside the contract";
    case Ending::not_run:
      return "not run";
  }
  return "?";
}

bool keeps_contract(Ending ending) {
  return ending == Ending::accepted || ending == Ending::rejected;
}

Ending classify(const std::string& program, const common::RunResult& run) {
  if (!run.spawn_error.empty()) return Ending::not_run;
  // A program that stopped itself never ends; one past a bound of the run
  // was ended by the driver and has no status of its own.
  if (run.timed_out || run.stop_signal != 0) return Ending::hang;
  if (run.memory_used != 0 || run.file_too_big) return Ending::crash;
  // A sanitizer that aborts ends with a signal too; its report says more.
  const bool report = run.err.find("Sanitizer") != std::string::npos ||
                      run.err.find("runtime error:") != std::string::npos;
  if (report) return Ending::sanitizer;
  if (run.signal != 0) return Ending::crash;
  if (run.err == normal_stderr) return Ending::accepted;
  if (common::is_rejection(program, run.status, run.err)) return Ending::rejected;
  return Ending::bad_exit;
}

std::string reject_reason(const std::string& program, const std::string& err) {
  const std::size_t skip = program.size() + 2;
  if (err.size() <= skip) return "";
  return err.substr(skip, err.size() - skip - 1);
}

namespace {

// Reads one quoted string starting at text[pos] == '"'; leaves pos after it.
std::optional<std::string> read_quoted(const std::string& text, std::size_t& pos,
                                       std::string& error) {
  const std::size_t end = text.size();
  std::size_t i = pos + 1;
  std::string raw;
  while (i < end && text[i] != '"') {
    if (text[i] == '\\') {
      if (i + 1 >= end) break;
      raw += text[i];
      raw += text[i + 1];
      i += 2;
    } else {
      raw += text[i++];
    }
  }
  if (i >= end) {
    error = "unterminated string";
    return std::nullopt;
  }
  pos = i + 1;
  return common::c_unescape(raw, error);
}

void skip_blanks(const std::string& text, std::size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) pos++;
}

}  // namespace

namespace {

// One "reject" or "accept" entry, the rest of its line starting at `pos`.
bool parse_entry(const std::string& word, const std::string& line, std::size_t pos, int line_no,
                 Expectations& out, std::string& error) {
  Expectation e;
  e.ending = word == "reject" ? Ending::rejected : Ending::accepted;
  e.line = line_no;
  if (pos >= line.size() || line[pos] != '"') return (error = "expected a quoted input"), false;
  auto input = read_quoted(line, pos, error);
  if (!input) return false;
  e.input = *input;
  skip_blanks(line, pos);
  if (pos < line.size() && line[pos] == '"') {
    auto detail = read_quoted(line, pos, error);
    if (!detail) return false;
    e.detail = *detail;
    skip_blanks(line, pos);
  }
  if (pos < line.size()) {
    if (line[pos] != '#') return (error = "unexpected text after the entry"), false;
    std::size_t note = pos + 1;
    skip_blanks(line, note);
    e.note = line.substr(note);
  }
  out.entries.push_back(std::move(e));
  return true;
}

// One line of an expectation file; false with `error` set when it is not one.
bool parse_line(const std::string& line, int line_no, Expectations& out, std::string& error) {
  std::size_t pos = 0;
  skip_blanks(line, pos);
  if (pos >= line.size() || line[pos] == '#') return true;
  const std::size_t word_end = line.find_first_of(" \t", pos);
  const std::string word = line.substr(pos, word_end - pos);
  pos = word_end == std::string::npos ? line.size() : word_end;
  skip_blanks(line, pos);
  if (word == "cuts") {
    std::istringstream rest(line.substr(pos));
    std::string verb, except;
    rest >> verb >> except;
    if (verb != "reject" || (!except.empty() && except != "except"))
      return (error = "expected \"cuts reject [except CASE...]\""), false;
    out.cuts_reject = true;
    for (std::string name; rest >> name;) out.cuts_except.push_back(name);
  } else if (word == "values") {
    for (std::size_t p = pos; p < line.size();) {
      std::size_t q = line.find_first_of(" \t", p);
      if (q == std::string::npos) q = line.size();
      if (q > p) out.values.push_back(line.substr(p, q - p));
      p = q + 1;
    }
  } else if (word == "reject" || word == "accept") {
    return parse_entry(word, line, pos, line_no, out, error);
  } else {
    return (error = "unknown directive \"" + word + "\""), false;
  }
  return true;
}

}  // namespace

bool parse_expectations(const std::string& text, Expectations& out, std::string& error) {
  int line_no = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    const std::string line = text.substr(start, stop - start);
    start = stop + 1;
    line_no++;
    if (!parse_line(line, line_no, out, error)) {
      error = "line " + std::to_string(line_no) + ": " + error;
      return false;
    }
  }
  return true;
}

}  // namespace hostile
