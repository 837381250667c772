// What the runner prints and writes: progress while cases run, the closing
// report, and the JUnit file.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "cases.hpp"
#include "judge.hpp"

namespace conformance {

struct ProgramSummary {
  std::string name;
  int cases = 0;
  int failed = 0;
  int known = 0;  // known failures (--baseline)
  int not_run = 0;
  double seconds = 0.0;
};

// The cases grouped by program, in case order (cases are sorted by program).
std::vector<ProgramSummary> summarize(const std::vector<common::Case>& cases,
                                      const std::vector<Verdict>& verdicts);

// Progress as cases finish: cases done of all and failures so far. On a
// terminal one line that updates in place, cleared before the report;
// otherwise (a CI log) a line at each tenth of the run and at least every
// half minute.
class Progress {
 public:
  Progress(const std::vector<common::Case>& cases, bool terminal);
  void finished(std::size_t index, const Verdict& verdict);
  void clear();

 private:
  const std::vector<common::Case>& cases_;
  bool terminal_;
  std::mutex lock_;
  std::size_t done_ = 0;
  int failed_ = 0;
  std::size_t last_tenth_ = 0;
  std::chrono::steady_clock::time_point last_line_;
};

// Width of the program column of the table.
int name_width(const std::vector<common::Case>& cases);
void print_row(const ProgramSummary& p, int width);

struct RunTotals {
  int interrupt = 0;                   // the signal that ended the run, or 0
  std::size_t skipped_rejections = 0;  // left out by --valid-only
  std::size_t folder_problems = 0;
  // Which build was judged: its manifest's fields in order, or, for a build
  // without one, `build_note` saying so. Every report and file names it.
  std::vector<std::pair<std::string, std::string>> build;
  std::string build_note;
  // What the failures likely come from: "likely cause: ..." lines, best first.
  std::vector<std::string> diagnosis;
  // The files the run wrote (or could not write), one line each, printed
  // just before the closing line.
  std::vector<std::string> written;
};

// The build lines that open a report: "build: FIELD VALUE" each, or the note.
std::vector<std::string> build_lines(const RunTotals& totals);

// The report, read from its end in a CI log: the build, the table (sorted by
// program), each failure with its `reproduce:` command, the totals, the
// likely causes, the files written; the last line is always
// "N passed, N failed".
void print_report(const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts,
                  const Settings& s, const RunTotals& totals);

// Writes the JUnit file; false when it cannot be written.
bool write_junit(const std::string& path, const std::vector<common::Case>& cases,
                 const std::vector<Verdict>& verdicts, const RunTotals& totals);

// Text made safe for an XML document: markup characters as entities, and
// every byte that is not part of valid UTF-8, or is a character XML 1.0
// cannot hold, written as \xHH.
std::string xml_escape(const std::string& s);

}  // namespace conformance
