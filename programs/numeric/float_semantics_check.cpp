// Float constants, comparisons, floats as conditions, conversions between int
// and float both ways, a float array read from input, and float output.
// Eight self-checks print "ok"; then, for nine floats read, the area of the
// circle of that radius as a float and, truncated, of the integer radius;
// last the array, with each of the nine values added to its first elements.
//
// Input: a count and that many floats (the array), then nine floats.
// Rejected: an array count above 10 (the array's size), input that ends
// before all of these were read.
#include "lang/arith.hpp"
#include "lang/float.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr float pi = 0x1.921fb6p+1f;          // 3.14159265359
constexpr float tolerance = 0x1.0c6f7ap-20f;  // 0.000001
constexpr int array_size = 10;

float float_abs(float x) {
  if (x < 0.0f) return lang::sub(0.0f, x);
  return x;
}

float circle_area(int radius) {
  float r = lang::to_float(radius);
  float first = lang::mul(lang::mul(pi, r), r);
  float second = lang::mul(lang::to_float(lang::mul(radius, radius)), pi);
  return lang::div(lang::add(first, second), 2.0f);
}

int float_eq(float a, float b) {
  if (float_abs(lang::sub(a, b)) < tolerance) return lang::to_int(1.0f);
  return 0;
}

void error() {
  putch(101);
  putch(114);
  putch(114);
  putch(111);
  putch(114);
  putch(10);
}

void ok() {
  putch(111);
  putch(107);
  putch(10);
}

void assert(int cond) {
  if (cond == 0)
    error();
  else
    ok();
}

// What getfarray does, with the count checked against the array before any
// element is stored.
int read_array(float array[]) {
  int n = getint();
  if (input_failed()) lang::reject("float_semantics_check", "input ended before the array count");
  if (n > array_size)
    lang::reject("float_semantics_check", "array count %d above %d", n, array_size);
  int i = 0;
  while (i < n) {
    array[i] = getfloat();
    if (input_failed())
      lang::reject("float_semantics_check", "input ended at array element %d of %d", i, n);
    i = i + 1;
  }
  return n;
}

}  // namespace

int main() {
  int p = 1;
  int i = 0;
  float array[array_size] = {1.0f, 2.0f};
  assert(!float_eq(0x1.4p-4f, -33000.0f));
  assert(!float_eq(0x1.7c21fcp+6f, 0x1.1475cep+5f));
  assert(float_eq(0x1.1475cep+5f, 0x1.1475cep+5f));
  float area_truncated = circle_area(lang::to_int(5.5f));
  float area_five = circle_area(5);
  assert(float_eq(area_truncated, area_five));
  assert(!float_eq(233.0f, 4095.0f));
  if (1.5f != 0.0f) ok();
  if (1.0f != 0.0f) ok();
  if (0.0f != 0.0f) error();
  if (0.3f != 0.0f) ok();
  int len = read_array(array);
  while (p < 1000000000) {
    float x = getfloat();
    if (input_failed())
      lang::reject("float_semantics_check", "input ended before radius %d of 9", i + 1);
    // x comes from input and may be infinite or NaN.
    float area = lang::fmul(lang::fmul(pi, x), x);
    float iarea = circle_area(lang::to_int(x));
    array[i] = lang::fadd(array[i], x);
    putfloat(area);
    putch(32);
    putint(lang::to_int(iarea));
    putch(10);
    p = lang::to_int(lang::mul(lang::to_float(p), 10.0f));
    i = i + 1;
  }
  putfarray(len, array);
  return 0;
}
