// The console routines as the plain C library conversions they stand for:
// the baseline the benchmarked programs are also linked against.
#include <cstdarg>
#include <cstdio>

#include "stdio_reference.hpp"
#include "suite_runtime.h"

namespace {

int failed_read = 0;

[[gnu::used]] void (*const keep_hooks[])(void) = {before_main, after_main};

int read_int() {
  int value;
  if (!stdio_reference::scan_int(stdin, value)) failed_read = 1;
  return value;
}

float read_float() {
  float value;
  if (!stdio_reference::scan_float(stdin, value)) failed_read = 1;
  return value;
}

}  // namespace

extern "C" {

int getint(void) {
  return read_int();
}

int getch(void) {
  int c;
  if (!stdio_reference::scan_char(stdin, c)) failed_read = 1;
  return c;
}

float getfloat(void) {
  return read_float();
}

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

int input_failed(void) {
  return failed_read;
}

void putint(int a) {
  std::printf("%d", a);
}

void putch(int a) {
  std::putchar(static_cast<unsigned char>(a));
}

void putarray(int n, int a[]) {
  std::printf("%d:", n);
  for (int i = 0; i < n; i++) std::printf(" %d", a[i]);
  std::printf("\n");
}

void putfloat(float a) {
  std::printf("%a", static_cast<double>(a));
}

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
