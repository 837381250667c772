// Elementary functions without library mathematics: for each pair x y, the
// absolute value, square, Newton square root and exponential of x, then the
// natural logarithm (adaptive Simpson quadrature of 1/t), the logarithm of y
// to the base x and x to the power y.
//
// Input: a count, then that many pairs of floats. A negative count runs until
// the count wraps round to zero. NaNs are computed: no comparison holds for
// them, so they reach the series and print as nan; y is not used when x <= 0.
// Rejected: input that ends before the count or within the pairs; an
// infinite x, and a power whose exponent y * ln(x) is infinite (the square
// root's scaling or the exponential's halving would never end on them).
#include "lang/arith.hpp"
#include "lang/float.hpp"
#include "lang/reject.hpp"
#include "numeric/float_helpers.hpp"
#include "suite_runtime.h"

namespace {

using float_helpers::my_fabs;

constexpr float e = 0x1.5bf0a8p+1f;                  // 2.718281828
constexpr float series_threshold = 0x1.0624dep-10f;  // 0.001
constexpr float ln_tolerance = 0x1.5798eep-27f;      // 0.00000001

float my_pow(float a, int n) {
  // n is never negative here (squares, series terms, whole parts of x >= 0).
  if (n < 0) return lang::div(1.0f, my_pow(a, lang::neg(n)));
  float res = 1.0f;
  while (n != 0) {
    if (n % 2 != 0) res = lang::fmul(res, a);
    a = lang::fmul(a, a);
    n = n / 2;
  }
  return res;
}

float my_sqrt(float x) {
  // The reference passes a NaN through every step of the iteration unchanged
  // (quieted); RISC-V and MIPS would make their own NaN at the first step.
  if (lang::is_nan(x)) return lang::quieted(x);
  if (x > 100.0f) return lang::mul(10.0f, my_sqrt(lang::div(x, 100.0f)));
  return float_helpers::newton_sqrt(x);
}

// The quadrature meets infinities (1/t of a tiny t) and so NaNs: its
// arithmetic goes through the lang::f* operations.
float F1(float x) {
  return lang::fdiv(1.0f, x);
}

float F2(float x) {
  return lang::fdiv(1.0f, my_sqrt(lang::fsub(1.0f, lang::fmul(x, x))));
}

float simpson(float a, float b, int flag) {
  float c = lang::fadd(a, lang::fdiv(lang::fsub(b, a), 2.0f));
  float fa;
  float fc;
  float fb;
  if (flag == 1) {
    fa = F1(a);
    fc = F1(c);
    fb = F1(b);
  } else if (flag == 2) {
    fa = F2(a);
    fc = F2(c);
    fb = F2(b);
  } else {
    return 0.0f;
  }
  float sum = lang::fadd(lang::fadd(fa, lang::fmul(4.0f, fc)), fb);
  return lang::fdiv(lang::fmul(sum, lang::fsub(b, a)), 6.0f);
}

float asr5(float a, float b, float eps, float whole, int flag) {
  float c = lang::fadd(a, lang::fdiv(lang::fsub(b, a), 2.0f));
  float left = simpson(a, c, flag);
  float right = simpson(c, b, flag);
  float both = lang::fadd(left, right);
  float diff = lang::fsub(both, whole);
  // "Not above", so that a NaN difference is accepted as on the reference platform.
  if (!(my_fabs(diff) > lang::mul(15.0f, eps))) return lang::fadd(both, lang::fdiv(diff, 15.0f));
  float first = asr5(a, c, lang::div(eps, 2.0f), left, flag);
  float second = asr5(c, b, lang::div(eps, 2.0f), right, flag);
  return lang::fadd(first, second);
}

float asr4(float a, float b, float eps, int flag) {
  return asr5(a, b, eps, simpson(a, b, flag), flag);
}

float eee(float x) {
  if (x > series_threshold) {
    float t = eee(lang::div(x, 2.0f));
    return lang::mul(t, t);
  }
  // x may be a NaN read from the input: its sign must survive the series.
  float sum = lang::fadd(lang::fadd(1.0f, x), lang::fdiv(lang::fmul(x, x), 2.0f));
  sum = lang::fadd(sum, lang::fdiv(my_pow(x, 3), 6.0f));
  sum = lang::fadd(sum, lang::fdiv(my_pow(x, 4), 24.0f));
  return lang::fadd(sum, lang::fdiv(my_pow(x, 5), 120.0f));
}

bool is_infinite(float x) {
  return !lang::is_finite(x) && !lang::is_nan(x);
}

float my_exp(float x) {
  // An infinity never leaves the halving in eee (after the reflection below
  // for -inf). A NaN fails every test and falls through to the series.
  if (is_infinite(x))
    lang::reject("float_calculus", "exponent %a is infinite", static_cast<double>(x));
  if (x < 0.0f) return lang::div(1.0f, my_exp(lang::sub(0.0f, x)));
  int n = lang::to_int(x);
  x = lang::fsub(x, lang::to_float(n));
  float e1 = my_pow(e, n);
  float e2 = eee(x);
  return lang::fmul(e1, e2);
}

float my_ln(float x) {
  return asr4(1.0f, x, ln_tolerance, 1);
}

float my_log(float a, float N) {
  float ln_n = my_ln(N);
  float ln_a = my_ln(a);
  return lang::fdiv(ln_n, ln_a);
}

float my_powf(float a, float x) {
  return my_exp(lang::fmul(x, my_ln(a)));
}

}  // namespace

int main() {
  int count = getint();
  if (input_failed()) lang::reject("float_calculus", "input ended before the count");
  int pair = 0;
  while (count != 0) {
    float x = getfloat();
    float y = getfloat();
    pair = lang::add(pair, 1);
    if (input_failed()) lang::reject("float_calculus", "input ended within pair %d", pair);
    // +inf would be scaled by my_sqrt without end, -inf halved by eee.
    if (is_infinite(x)) lang::reject("float_calculus", "x of pair %d is infinite", pair);
    putfloat(my_fabs(x));
    putch(32);
    putfloat(my_pow(x, 2));
    putch(32);
    putfloat(my_sqrt(x));
    putch(32);
    putfloat(my_exp(x));
    putch(32);
    if (x > 0.0f)
      putfloat(my_ln(x));
    else
      putch(45);
    putch(32);
    if (x > 0.0f && y > 0.0f)
      putfloat(my_log(x, y));
    else
      putch(45);
    putch(32);
    if (x > 0.0f)
      putfloat(my_powf(x, y));
    else
      putch(45);
    putch(10);
    count = lang::sub(count, 1);
  }
  return 0;
}
