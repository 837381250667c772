// Driving the timer tables without the clock, and reading back the report,
// for the timer tests.
#pragma once

#include <cstdio>
#include <string>

#include "suite_runtime.h"
#include "timers.h"

// Times one interval of the given length, started at base_seconds and
// base_microseconds of a clock that is never read.
inline void time_interval(int start_label, int stop_label, int seconds, int microseconds,
                          int base_seconds = 1000, int base_microseconds = 250000) {
  _kova_l1[_kova_idx] = start_label;
  _kova_start = {base_seconds, base_microseconds};
  _kova_end = {base_seconds + seconds, base_microseconds + microseconds};
  runtime_detail::close_interval(stop_label);
}

// The report as the exit hook would write it.
inline std::string timer_report() {
  std::FILE* out = std::tmpfile();
  runtime_detail::write_report(out);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::getc(out)) != EOF;) text.push_back(static_cast<char>(c));
  std::fclose(out);
  return text;
}
