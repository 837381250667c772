// The report as one self-contained HTML file, read from the top: which build
// was judged, the totals, the likely causes, the failing programs with links
// to their cases (passing programs folded below), then each failing case with
// its verdict, the command that reproduces it, its input and its differences
// in context, image cases as pictures side by side with a difference map.
#pragma once

#include <string>
#include <vector>

#include "cases.hpp"
#include "image_diff.hpp"
#include "judge.hpp"
#include "png.hpp"
#include "report.hpp"

namespace conformance {

// False when the file cannot be written.
bool write_html(const std::string& path, const std::vector<common::Case>& cases,
                const std::vector<Verdict>& verdicts, const Settings& s, const RunTotals& totals);

// The page of one failing case (its section of the report).
std::string failing_case_html(const common::Case& c, const Verdict& o);

// The difference map: unchanged pixels in grey, dimmed; changed ones from
// yellow (a small difference) to red (the largest possible); pixels the
// actual image lacks in blue. Both images must have the same size.
Picture difference_map(const GreyImage& want, const GreyImage& got);

}  // namespace conformance
