// Console input and output: each routine is one fixed conversion of the C
// library's formatted I/O on stdin or stdout.
#include <climits>
#include <cstdarg>
#include <cstdio>

#include "suite_runtime.h"

namespace {

int failed_read = 0;

// The timer hooks live in another object of the archive. Referencing them
// here pulls that object, and with it the constructor and destructor, into
// every program that uses any console routine.
[[gnu::used]] void (*const keep_hooks[])(void) = {before_main, after_main};

// "%lld" then clamp: the 32-bit reference platform's "%d" saturates at the
// int limits, while a 64-bit glibc's "%d" would truncate to the low 32 bits.
int read_int() {
  long long value = 0;
  if (std::scanf("%lld", &value) != 1) {
    failed_read = 1;
    return 0;
  }
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float read_float() {
  float value = 0.0f;
  if (std::scanf("%a", &value) != 1) {
    failed_read = 1;
    return 0.0f;
  }
  return value;
}

}  // namespace

extern "C" {

int getint(void) { return read_int(); }

int getch(void) {
  unsigned char c = 0;
  if (std::scanf("%c", &c) != 1) {
    failed_read = 1;
    return -1;
  }
  return c;
}

float getfloat(void) { return read_float(); }

int getarray(int a[]) {
  int n = read_int();
  for (int i = 0; i < n; i++) a[i] = read_int();
  return n;
}

int getfarray(float a[]) {
  int n = read_int();
  for (int i = 0; i < n; i++) a[i] = read_float();
  return n;
}

int input_failed(void) { return failed_read; }

void putint(int a) { std::printf("%d", a); }

void putch(int a) { std::putchar(static_cast<unsigned char>(a)); }

void putarray(int n, int a[]) {
  std::printf("%d:", n);
  for (int i = 0; i < n; i++) std::printf(" %d", a[i]);
  std::printf("\n");
}

void putfloat(float a) { std::printf("%a", static_cast<double>(a)); }

void putfarray(int n, float a[]) {
  std::printf("%d:", n);
  for (int i = 0; i < n; i++) std::printf(" %a", static_cast<double>(a[i]));
  std::printf("\n");
}

void putf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
}

}  // extern "C"
