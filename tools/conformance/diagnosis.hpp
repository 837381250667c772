// What a red run likely comes from: the failing cases and how each differs,
// compared with the signatures of the known realistic faults (which cases
// each fails, and how), written by scripts/faults into
// tests/faults/signatures.json.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cases.hpp"
#include "difference.hpp"
#include "judge.hpp"
#include "settings.hpp"

namespace conformance {

struct Signature {
  std::string name;
  std::string what;                         // a few words
  std::map<std::string, Difference> fails;  // "program/case" -> how it fails
  std::set<std::string> cases;              // every case the fault was judged on
};

// The signatures of a file; throws std::runtime_error saying what is wrong.
std::vector<Signature> parse_signatures(const std::string& text);
std::vector<Signature> read_signatures(const std::string& path);

// Where the signatures lie for a case folder: beside it, as in the source
// tree (tests/cases, tests/faults) and the install (share/.../cases, faults).
std::string signatures_beside(const std::string& cases_dir);

// What a run shows: the cases that ran and how each failing one differed.
struct Observed {
  std::set<std::string> ran;
  std::map<std::string, Difference> failed;
};

Observed observe(const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts);

// The observation as a signature's JSON (ran and fails), for scripts/faults.
std::string observed_json(const Observed& o);

// "likely cause: ..." lines, best first; none when nothing failed. Only the
// cases that ran count, for or against a fault.
std::vector<std::string> diagnose(const Observed& o, const std::vector<Signature>& faults);

// The diagnosis of a finished run, from --signatures or else the file beside
// the case folder (no diagnosis when that one is absent). A signatures file
// that cannot be read is said on stderr, in one line, and gives none.
std::vector<std::string> diagnose_run(const Settings& s, const std::vector<common::Case>& cases,
                                      const std::vector<Verdict>& verdicts);

// --observed: the run as scripts/faults reads it; false when it cannot be written.
bool write_observed(const std::string& path, const std::vector<common::Case>& cases,
                    const std::vector<Verdict>& verdicts);

}  // namespace conformance
