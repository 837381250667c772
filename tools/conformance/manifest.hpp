// A build's manifest: the file the suite's CMake writes beside the programs
// (bin/suite-build.txt) naming the compiler, flags and target that made them,
// so that every report and results file says which build it judged.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report.hpp"

namespace conformance {

inline constexpr const char* manifest_name = "suite-build.txt";

using BuildRows = std::vector<std::pair<std::string, std::string>>;

// The fields of a manifest's text ("key: value" lines): the known ones in
// their fixed order, then any others in the file's order. Other lines, a
// repeated key and blank values are left out; control characters in a value
// become '?', since a manifest of someone else's folder is text we print.
BuildRows parse_manifest(const std::string& text);

// Fills totals.build from BIN_DIR's manifest, or totals.build_note with one
// line when the folder has none.
void read_build(const std::string& bin_dir, RunTotals& totals);

// One line naming the build in BIN_DIR, for a header: its compiler and
// program flags, or that it has none.
std::string build_summary(const std::string& bin_dir);

}  // namespace conformance
