#include "writer.hpp"

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace generate {

namespace {

bool refused(const Field& f, long long v) {
  if (v < f.lo || v > f.hi) return true;
  for (long long e : f.except)
    if (e == v) return true;
  return false;
}

// A value of about `digits` decimal digits, for ranges far wider than the
// small values: every magnitude gets its turn, not only the largest.
long long scaled(Random& r, long long lo, long long hi) {
  long long magnitude = 1;
  for (int d = static_cast<int>(r.below(10)); d > 0; d--) magnitude *= 10;
  long long v = r.between(0, magnitude * 2);
  if (r.percent(50)) v = -v;
  return v < lo ? lo : v > hi ? hi : v;
}

long long pick_integer(const Field& f, long long lo, long long hi, Random& r) {
  const long long edges[] = {lo, hi, lo + 1, hi - 1, 0, 1, -1, INT_MIN, INT_MAX};
  for (int tries = 0; tries < 16; tries++) {
    long long v;
    const auto mode = r.below(100);
    if (mode < 45)
      v = edges[r.below(sizeof edges / sizeof edges[0])];
    else if (mode < 75)
      v = r.between(lo < -16 ? -16 : lo, hi > 16 ? 16 : hi);
    else if (mode < 88)
      v = scaled(r, lo, hi);
    else
      v = r.between(lo, hi);
    if (v >= lo && v <= hi && !refused(f, v)) return v;
  }
  return lo;
}

std::string format(const char* conversion, double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, conversion, v);
  return buffer;
}

bool float_allowed(const Field& f, float v) {
  if (std::isnan(v)) return f.nan;
  if (std::isinf(v)) return f.inf;
  if (v < f.lo || v > f.hi) return false;
  return v == 0 || std::fabs(v) >= f.min_magnitude;
}

float random_float(const Field& f, Random& r) {
  const double top = std::fmax(std::fabs(f.lo), std::fabs(f.hi));
  const int high = top > 0 ? std::ilogb(top) : 0;
  const int low = f.min_magnitude > 0 ? std::ilogb(f.min_magnitude) : -149;
  const double mantissa = 1.0 + static_cast<double>(r.below(1u << 23)) / (1u << 23);
  const float v = static_cast<float>(std::ldexp(mantissa, static_cast<int>(r.between(low, high))));
  return r.percent(50) ? -v : v;
}

float pick_float(const Field& f, Random& r) {
  const float limit = std::numeric_limits<float>::max();
  const float inf = std::numeric_limits<float>::infinity();
  const float edges[] = {0.0f,
                         -0.0f,
                         1.0f,
                         -1.0f,
                         0.5f,
                         2.0f,
                         0.1f,
                         1.0f / 3,
                         0x1p-149f,
                         0x1.fffffcp-127f,
                         0x1p-126f,
                         limit,
                         -limit,
                         static_cast<float>(f.lo),
                         static_cast<float>(f.hi),
                         std::numeric_limits<float>::quiet_NaN(),
                         inf,
                         -inf};
  for (int tries = 0; tries < 16; tries++) {
    float v;
    const auto mode = r.below(100);
    if (mode < 50)
      v = edges[r.below(sizeof edges / sizeof edges[0])];
    else if (mode < 75)
      v = static_cast<float>(r.between(-64, 64)) / static_cast<float>(1 << r.below(4));
    else
      v = random_float(f, r);
    if (float_allowed(f, v)) return v;
  }
  return 0.0f;
}

std::string nonfinite_spelling(float v, Random& r) {
  if (std::isnan(v)) {
    const char* forms[] = {"nan", "NaN", "NAN", "+nan"};
    return forms[r.below(4)];
  }
  const char* forms[] = {"inf", "INF", "infinity", "Infinity"};
  const std::string word = forms[r.below(4)];
  if (v < 0) return std::string("-").append(word);
  return r.percent(20) ? std::string("+").append(word) : word;
}

std::string float_spelling(float v, Random& r) {
  if (!std::isfinite(v)) return nonfinite_spelling(v, r);
  const double d = v;
  const auto mode = r.below(100);
  if (mode < 35) return format("%.9g", d);
  if (mode < 60) return format("%a", d);
  if (mode < 68) return format("%A", d);
  if (mode < 76) return format("%.17g", d);
  if (mode < 82) return format("%.12e", d);
  if (mode < 90 && d == std::floor(d) && std::fabs(d) < 1e9) return format("%.0f", d);
  if (mode < 95 && !std::signbit(d)) return format("%+.9g", d);
  return format("%.9g", d);
}

}  // namespace

long long Writer::pick(const std::string& field) {
  return pick(field, LLONG_MAX);
}

long long Writer::pick(const std::string& field, long long cap) {
  const Field& f = d_.field(field);
  const auto lo = static_cast<long long>(f.lo);
  auto hi = static_cast<long long>(f.hi);
  if (cap < hi) hi = cap;
  return pick_integer(f, lo, hi < lo ? lo : hi, random_);
}

void Writer::integer(long long value) {
  std::string plain = std::to_string(value);
  std::vector<std::string> forms;
  const std::string digits = value < 0 ? plain.substr(1) : plain;
  const std::string sign = value < 0 ? "-" : "";
  if (value >= 0) forms.push_back(std::string("+").append(plain));
  forms.push_back(sign + "00" + digits);
  if (value == 0) forms.insert(forms.end(), {"-0", "+0", "-000"});
  // Past 32 bits a read stops at the nearer limit.
  if (value == INT_MAX)
    forms.insert(forms.end(), {"2147483648", "4294967296", "99999999999999999999"});
  if (value == INT_MIN)
    forms.insert(forms.end(), {"-2147483649", "-9223372036854775808", "-99999999999999999999"});
  if (random_.percent(72))
    out_ += plain;
  else
    out_ += forms[random_.below(forms.size())];
}

long long Writer::value(const std::string& field) {
  return value(field, LLONG_MAX);
}

long long Writer::value(const std::string& field, long long cap) {
  const long long v = pick(field, cap);
  integer(v);
  separator();
  return v;
}

void Writer::floating(const std::string& field, bool separate) {
  out_ += float_spelling(pick_float(d_.field(field), random_), random_);
  if (separate) separator();
}

void Writer::separator() {
  const auto mode = random_.below(100);
  if (mode < 70)
    out_ += ' ';
  else if (mode < 85)
    out_ += '\n';
  else if (mode < 90)
    out_ += '\t';
  else if (mode < 95)
    out_ += "  \n ";
  else
    out_ += " \r\n";
}

}  // namespace generate
