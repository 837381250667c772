// The results file: one run's cases in the layout of lit's results file
// (top level __version__, elapsed, tests; per case name, code, elapsed,
// output, metrics), so that tools built for that format read it unchanged,
// and with its conventions: metrics only for a case that passed (a failed
// run's times mean nothing), and a case that did not run left out of tests
// (top-level not_run names it). Fields of our own (program, case, kind,
// shortname) sit beside them. Names are written by escape_name.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cases.hpp"
#include "generate.hpp"
#include "judge.hpp"
#include "report.hpp"

namespace conformance {

using Json = nlohmann::json;

// "conformance :: PROGRAM/CASE": the name a case has in every results file
// (there escaped).
std::string test_name(const std::string& program, const std::string& name);

// The code of a case that ran: PASS, FAIL, TIMEOUT or XFAIL (a known failure).
const char* code_of(const Verdict& o);

// What our own tools call a case in a file's not_run list.
inline constexpr const char* not_run_code = "not run";

// Whether a code counts as a failure of its case (a case not run ran nothing).
bool failing_code(const std::string& code);

// The entry of a case that ran (a case not run has none, only its name in
// not_run).
Json case_entry(const common::Case& c, const Verdict& o);

// The whole file around `tests`, with `extra`'s top-level keys beside lit's
// (lit ignores keys it does not know); false when it cannot be written.
bool write_results(const std::string& path, double elapsed, Json tests,
                   Json extra = Json::object());

// The build and diagnosis as top-level keys of a results file.
Json run_keys(const RunTotals& totals);

// A results file of any run, with a not_run list (the UNSUPPORTED tests of
// older files moved there); nullopt with `error` set when it cannot be read
// or is not one (every test needs a string name and code; not_run, when
// present, is a list of names).
std::optional<Json> read_results(const std::string& path, std::string& error);

// The run's cases as a results file.
bool write_run_results(const std::string& path, double elapsed,
                       const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts,
                       const RunTotals& totals);

// A --generate run: one entry per program with its counts and the cut-down
// inputs it saved.
bool write_generated_results(const std::string& path, double elapsed,
                             const generate::Summary& summary, const std::string& shard);

}  // namespace conformance
