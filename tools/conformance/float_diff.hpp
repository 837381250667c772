// Floats printed in hexadecimal (0x1.8p+1, -0x0p+0, inf, -nan) told apart as
// a person wants to read them: both values in decimal, and how many units in
// the last place lie between them when that is a few; otherwise which sign
// or special value differs, a zero where a number was expected, or how much
// larger or smaller the value is (in percent, times, orders of magnitude).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace conformance {

// Steps from a to b along the single-precision values in order (positive:
// b lies above a). The two zeros are one value; infinities count as the
// step after the largest finite value. Not for NaNs.
std::int64_t ulp_distance(float a, float b);

// How got relates to want: "1 ulp below", "sign of a zero differs",
// "a zero where 1.1920929e-07 was expected", "0.012% above (100 ulps)",
// "7 orders of magnitude smaller", ...
std::string float_relation(float want, float got);

// When the first difference of two outputs lies inside a float written in
// the suite's hexadecimal form in both, the line that explains it:
// "0x1.921fb6p+1 (3.14159274) against 0x1.921fb4p+1 (3.14159250): 1 ulp below".
std::optional<std::string> float_difference(const std::string& want, const std::string& got);

}  // namespace conformance
