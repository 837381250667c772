#include "difference.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace conformance {

namespace {

constexpr std::array<std::pair<Difference, const char*>, 7> names = {{
    {Difference::none, "none"},
    {Difference::ulps, "ulps"},
    {Difference::nan_sign, "nan-sign"},
    {Difference::timeout, "timeout"},
    {Difference::crash, "crash"},
    {Difference::exit_status, "exit-status"},
    {Difference::bytes, "bytes"},
}};

// Characters a printed number is made of ("-0x1.8p+3", "nan", "1e-05").
bool number_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '+' || c == '-';
}

// The outputs cut into alternating runs of number characters and the rest.
std::vector<std::string> tokens(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < s.size();) {
    const bool num = number_char(s[i]);
    std::size_t j = i;
    while (j < s.size() && number_char(s[j]) == num) j++;
    out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

bool is_nan_text(const std::string& t) {
  return t == "nan" || t == "-nan" || t == "+nan";
}

// A float as the programs print one: a hexadecimal or decimal fraction or
// exponent, or an infinity. Plain integers are not floats here: a changed
// integer is a changed value, not a rounding.
bool parses_as_float(const std::string& t) {
  if (t.empty() || is_nan_text(t)) return false;
  if (t.find_first_of(".pPeExXiI") == std::string::npos) return false;
  char* end = nullptr;
  std::strtod(t.c_str(), &end);
  return end == t.c_str() + t.size();
}

}  // namespace

const char* difference_name(Difference d) {
  for (const auto& [kind, name] : names)
    if (kind == d) return name;
  return "bytes";
}

std::optional<Difference> difference_from_name(std::string_view name) {
  for (const auto& [kind, text] : names)
    if (name == text) return kind;
  return std::nullopt;
}

Difference classify_output(const std::string& want, const std::string& got) {
  if (want == got) return Difference::none;
  const auto a = tokens(want), b = tokens(got);
  if (a.size() != b.size()) return Difference::bytes;
  bool ulps = false, nan_sign = false;
  for (std::size_t i = 0; i < a.size(); i++) {
    if (a[i] == b[i]) continue;
    if (is_nan_text(a[i]) && is_nan_text(b[i]))
      nan_sign = true;
    else if (parses_as_float(a[i]) && parses_as_float(b[i]))
      ulps = true;
    else
      return Difference::bytes;
  }
  return ulps ? Difference::ulps : nan_sign ? Difference::nan_sign : Difference::bytes;
}

Difference classify_run(const common::Case& c, const common::RunResult& r) {
  if (r.timed_out) return Difference::timeout;
  if (r.overflow != 0) return Difference::bytes;  // printed without end: stopped
  if (r.status < 0 || !r.spawn_error.empty()) return Difference::crash;
  if (c.status && r.status != *c.status) return Difference::exit_status;
  const Difference out = c.out ? classify_output(*c.out, r.out) : Difference::none;
  const Difference err = c.err ? classify_output(*c.err, r.err) : Difference::none;
  // The weightier of the two streams: bytes over ulps over a NaN's sign.
  auto weight = [](Difference d) {
    return d == Difference::bytes ? 3 : d == Difference::ulps ? 2 : d == Difference::nan_sign;
  };
  const Difference worse = weight(err) > weight(out) ? err : out;
  // A run that left a process running or overflowed still differs somehow.
  return worse == Difference::none ? Difference::bytes : worse;
}

}  // namespace conformance
