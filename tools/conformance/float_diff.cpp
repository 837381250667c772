#include "float_diff.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "judge.hpp"

namespace conformance {

namespace {

// The float's place on a line where consecutive values are one apart and
// both zeros sit at 0.
std::int64_t ordinal(float x) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
  const std::int64_t magnitude = bits & 0x7fffffffu;
  return (bits >> 31) != 0 ? -magnitude : magnitude;
}

bool float_char(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) || c == 'x' || c == 'p' || c == '.' ||
         c == '+' || c == '-' || c == 'i' || c == 'n';
}

// The token holding position at, when it is written as putfloat writes.
std::optional<std::string> token_at(const std::string& s, std::size_t start) {
  // Long enough for a double's digits; a longer run is no float (and the
  // output of a broken build may hold runs of any length).
  const std::size_t longest = 32;
  std::size_t end = start;
  while (end < s.size() && float_char(s[end]) && end - start <= longest) end++;
  if (end - start > longest) return std::nullopt;
  static const std::regex form("-?(0x[01](\\.[0-9a-f]+)?p[+-][0-9]+|inf|nan)");
  std::string token = s.substr(start, end - start);
  if (!std::regex_match(token, form)) return std::nullopt;
  return token;
}

// The value a token names; NaN's sign is taken from the text, as strtod's
// handling of "-nan" varies between C libraries.
double value_of(const std::string& token) {
  const double v = std::strtod(token.c_str(), nullptr);
  if (std::isnan(v)) return std::copysign(NAN, token[0] == '-' ? -1.0 : 1.0);
  return v;
}

std::string decimal(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.9g", v);
  return text;
}

std::string described(const std::string& token, double v) {
  return std::isfinite(v) ? token + " (" + decimal(v) + ")" : token;
}

// Up to this many steps apart, a difference is told in ulps alone.
constexpr std::uint64_t near_steps = 1024;

// "; 3 orders of magnitude smaller" (with the leading "; "), how much larger
// or smaller got is than want: the factor in decimal, or its power of ten
// when large; "" for the same size.
std::string magnitude(float want, float got) {
  const double ratio = std::fabs(static_cast<double>(got) / static_cast<double>(want));
  char text[80];
  if (ratio == 1.0) return "";
  if (ratio >= 10.0 || ratio <= 0.1) {
    const int orders = static_cast<int>(std::lround(std::fabs(std::log10(ratio))));
    std::snprintf(text, sizeof text, "; %d order%s of magnitude %s", orders, orders == 1 ? "" : "s",
                  ratio > 1.0 ? "larger" : "smaller");
  } else if (ratio >= 1.0) {
    std::snprintf(text, sizeof text, "; %.3g times larger", ratio);
  } else {
    std::snprintf(text, sizeof text, "; %.3g times smaller", 1.0 / ratio);
  }
  return text;
}

}  // namespace

std::int64_t ulp_distance(float a, float b) {
  return ordinal(b) - ordinal(a);
}

std::string float_relation(float want, float got) {
  if (std::isnan(want) || std::isnan(got)) {
    if (std::isnan(want) && std::isnan(got)) return "sign of a NaN differs";
    return std::isnan(got) ? "a NaN where a number was expected"
                           : "a number where a NaN was expected";
  }
  if (want == 0.0f && got == 0.0f && std::signbit(want) != std::signbit(got))
    return "sign of a zero differs";
  if (std::isinf(want) != std::isinf(got))
    return std::isinf(got) ? "an infinity where a finite number was expected"
                           : "a finite number where an infinity was expected";
  if (std::isinf(want) && want != got) return "an infinity of the other sign";
  const std::int64_t steps = ulp_distance(want, got);
  if (steps == 0) return "the same value";
  const std::uint64_t size = static_cast<std::uint64_t>(steps < 0 ? -steps : steps);
  const std::string ulps = with_commas(size) + (size == 1 ? " ulp" : " ulps");
  const char* direction = steps < 0 ? " below" : " above";
  // A few steps apart, the count is what a reader wants: rounding, or an
  // operation done differently. Far apart, it hides the plain fact.
  const std::string near = size <= near_steps ? " (" + ulps + direction + ")" : "";
  // A zero for a number (a flush to zero, an underflow) is said so, however
  // few steps lie between.
  if (got == 0.0f) return "a zero where " + decimal(want) + " was expected" + near;
  if (want == 0.0f) return decimal(got) + " where a zero was expected" + near;
  if (size <= near_steps) return ulps + direction;
  if (std::signbit(want) != std::signbit(got)) return "the other sign" + magnitude(want, got);
  const double ratio = static_cast<double>(got) / static_cast<double>(want);
  if (ratio > 0.5 && ratio < 2.0) {
    char percent[40];
    std::snprintf(percent, sizeof percent, "%.2g%% ", 100.0 * std::fabs(ratio - 1.0));
    return percent + std::string(direction + 1) + " (" + ulps + ")";
  }
  return magnitude(want, got).substr(2);  // never "": the ratio is not 1
}

std::optional<std::string> float_difference(const std::string& want, const std::string& got) {
  std::size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) at++;
  std::size_t start = at;
  while (start > 0 && at - start <= 32 && float_char(want[start - 1])) start--;
  const auto w = token_at(want, start), g = token_at(got, start);
  // The difference must lie inside a float, not just after one.
  if (!w || !g || at >= start + std::max(w->size(), g->size())) return std::nullopt;
  const double wv = value_of(*w), gv = value_of(*g);
  std::string line = described(*w, wv) + " against " + described(*g, gv) + ": ";
  // A build may print a wider value than a float holds; it has no ulp count.
  for (const auto& [token, v] : {std::pair{*w, wv}, std::pair{*g, gv}})
    if (!std::isnan(v) && static_cast<double>(static_cast<float>(v)) != v)
      return line + token + " is not a single-precision value";
  return line + float_relation(static_cast<float>(wv), static_cast<float>(gv));
}

}  // namespace conformance
