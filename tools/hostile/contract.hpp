// What every input-reading program must do on any input, and the written
// expectations that pin down particular inputs of one program.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "escape.hpp"
#include "process.hpp"

namespace hostile {

// How one run ended. Only accepted and rejected keep the contract.
enum class Ending {
  accepted,   // normal exit: the timer report alone on stderr, any status
  rejected,   // exactly one line "PROGRAM: reason" on stderr, status 2
  crash,      // ended by a signal
  hang,       // still running at the deadline
  sanitizer,  // a sanitizer report on stderr
  bad_exit,   // any other stderr or status
  not_run,    // could not be started
};

const char* ending_name(Ending ending);
bool keeps_contract(Ending ending);

// The timer report of a program that links the runtime and exits normally.
inline constexpr const char* normal_stderr = "TOTAL: 0H-0M-0S-0us\n";

Ending classify(const std::string& program, const common::RunResult& run);

// The reason of a rejected run (the text after "PROGRAM: ", without the newline).
std::string reject_reason(const std::string& program, const std::string& err);

// Inputs and output are shown escaped so that they read back unchanged.
using common::c_escape;
using common::c_unescape;

// One written expectation: an input and the ending it must have, optionally
// with the exact reason of a rejection or the exact output of a normal exit.
struct Expectation {
  Ending ending = Ending::accepted;
  std::string input;
  std::optional<std::string> detail;
  std::string note;  // the comment after the entry, shown on failure
  int line = 0;
};

struct Expectations {
  std::vector<Expectation> entries;
  // "cuts reject": every accepted golden input cut off anywhere before its
  // last token must be rejected (the program needs all of its input); the
  // cases after "except" hold input the program never reads.
  bool cuts_reject = false;
  std::vector<std::string> cuts_except;
  // Extra integer values to substitute into golden inputs (array bounds the
  // source does not spell out as literals).
  std::vector<std::string> values;
};

// Parses an expectation file. Lines:
//   reject "INPUT" ["REASON"]     # note
//   accept "INPUT" ["STDOUT"]     # note
//   cuts reject [except CASE...]
//   values 10 11 4096
// Blank lines and lines starting with # are ignored.
bool parse_expectations(const std::string& text, Expectations& out, std::string& error);

}  // namespace hostile
