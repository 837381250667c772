// The timer tables and the pieces of the timer routines that do not touch the
// clock, so that tests can drive them with intervals they choose.
#pragma once

#include <cstdio>

extern "C" {

// A wall-clock reading with 32-bit fields, as on the reference platform.
struct kova_time {
  int sec;
  int usec;
};

inline constexpr int kova_slots = 1024;

extern int _kova_l1[kova_slots];
extern int _kova_l2[kova_slots];
extern int _kova_h[kova_slots];
extern int _kova_m[kova_slots];
extern int _kova_s[kova_slots];
extern int _kova_us[kova_slots];
extern int _kova_idx;
extern kova_time _kova_start;
extern kova_time _kova_end;

}  // extern "C"

namespace runtime_detail {

// Steps of _kova_stoptime after the clock was read into _kova_end.
void close_interval(int label);

// The report that after_main writes, onto any stream.
void write_report(std::FILE* out);

}  // namespace runtime_detail
