// The console routines of the C interface: each one is one conversion of the
// core (console_io.h) on stdin or stdout. The failure flag is the only state.
#include <cstdarg>
#include <cstdio>

#include "console_io.h"
#include "suite_runtime.h"

namespace {

int failed_read = 0;

// The timer hooks live in another object of the archive. Referencing them
// here pulls that object, and with it the constructor and destructor, into
// every program that uses any console routine.
[[gnu::used]] void (*const keep_hooks[])(void) = {before_main, after_main};

int read_int() {
  int value;
  if (!runtime_detail::scan_int(stdin, value)) failed_read = 1;
  return value;
}

float read_float() {
  float value;
  if (!runtime_detail::scan_float(stdin, value)) failed_read = 1;
  return value;
}

}  // namespace

void runtime_detail::clear_input_failed() {
  failed_read = 0;
}

extern "C" {

int getint(void) {
  return read_int();
}

int getch(void) {
  int c;
  if (!runtime_detail::scan_char(stdin, c)) failed_read = 1;
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
  runtime_detail::print_int(stdout, a);
}

void putch(int a) {
  runtime_detail::print_char(stdout, a);
}

void putarray(int n, int a[]) {
  runtime_detail::print_int(stdout, n);
  runtime_detail::print_char(stdout, ':');
  for (int i = 0; i < n; i++) {
    runtime_detail::print_char(stdout, ' ');
    runtime_detail::print_int(stdout, a[i]);
  }
  runtime_detail::print_char(stdout, '\n');
}

void putfloat(float a) {
  runtime_detail::print_float(stdout, a);
}

void putfarray(int n, float a[]) {
  runtime_detail::print_int(stdout, n);
  runtime_detail::print_char(stdout, ':');
  for (int i = 0; i < n; i++) {
    runtime_detail::print_char(stdout, ' ');
    runtime_detail::print_float(stdout, a[i]);
  }
  runtime_detail::print_char(stdout, '\n');
}

void putf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
}

}  // extern "C"
