// Interval timers and the start and exit hooks. All arithmetic is 32-bit and
// wraps, as in the compiled language; intervals are stored normalised
// (microseconds below 1000000, seconds and minutes below 60).
#include "timers.h"

#include <sys/time.h>

#include <cstdint>

#include "lang/arith.hpp"
#include "suite_runtime.h"

using lang::add;
using lang::mul;
using lang::sub;

extern "C" {

int _kova_l1[kova_slots];
int _kova_l2[kova_slots];
int _kova_h[kova_slots];
int _kova_m[kova_slots];
int _kova_s[kova_slots];
int _kova_us[kova_slots];
int _kova_idx;
kova_time _kova_start;
kova_time _kova_end;

}  // extern "C"

namespace {

// A slot that an interval may use; beyond the tables, timers are ignored.
bool slot_in_range(int k) {
  return k >= 1 && k < kova_slots;
}

void read_clock(kova_time& t) {
  timeval now{};
  gettimeofday(&now, nullptr);
  // The reference platform's fields are 32 bits wide: keep the low 32 bits.
  t.sec = static_cast<int>(static_cast<std::uint32_t>(now.tv_sec));
  t.usec = static_cast<int>(now.tv_usec);
}

}  // namespace

namespace runtime_detail {

void close_interval(int label) {
  const int k = _kova_idx;
  if (!slot_in_range(k)) return;
  _kova_l2[k] = label;
  const int elapsed =
      sub(add(mul(sub(_kova_end.sec, _kova_start.sec), 1000000), _kova_end.usec), _kova_start.usec);
  _kova_us[k] = add(_kova_us[k], elapsed);
  _kova_s[k] = add(_kova_s[k], _kova_us[k] / 1000000);
  _kova_us[k] = _kova_us[k] % 1000000;
  _kova_m[k] = add(_kova_m[k], _kova_s[k] / 60);
  _kova_s[k] = _kova_s[k] % 60;
  _kova_h[k] = add(_kova_h[k], _kova_m[k] / 60);
  _kova_m[k] = _kova_m[k] % 60;
  _kova_idx = k + 1;
}

void write_report(std::FILE* out) {
  for (int i = 1; i < _kova_idx && i < kova_slots; i++) {
    std::fprintf(out, "Timer@%04d-%04d: %dH-%dM-%dS-%dus\n", _kova_l1[i], _kova_l2[i], _kova_h[i],
                 _kova_m[i], _kova_s[i], _kova_us[i]);
    _kova_us[0] = add(_kova_us[0], _kova_us[i]);
    _kova_s[0] = add(add(_kova_s[0], _kova_s[i]), _kova_us[0] / 1000000);
    _kova_us[0] = _kova_us[0] % 1000000;
    _kova_m[0] = add(add(_kova_m[0], _kova_m[i]), _kova_s[0] / 60);
    _kova_s[0] = _kova_s[0] % 60;
    _kova_h[0] = add(add(_kova_h[0], _kova_h[i]), _kova_m[0] / 60);
    _kova_m[0] = _kova_m[0] % 60;
  }
  std::fprintf(out, "TOTAL: %dH-%dM-%dS-%dus\n", _kova_h[0], _kova_m[0], _kova_s[0], _kova_us[0]);
}

}  // namespace runtime_detail

extern "C" {

void _kova_starttime(int label) {
  if (!slot_in_range(_kova_idx)) return;
  _kova_l1[_kova_idx] = label;
  read_clock(_kova_start);
}

void _kova_stoptime(int label) {
  read_clock(_kova_end);
  runtime_detail::close_interval(label);
}

__attribute__((constructor)) void before_main(void) {
  for (int i = 0; i < kova_slots; i++) {
    _kova_us[i] = 0;
    _kova_s[i] = 0;
    _kova_m[i] = 0;
    _kova_h[i] = 0;
  }
  _kova_idx = 1;
}

__attribute__((destructor)) void after_main(void) {
  runtime_detail::write_report(stderr);
}

}  // extern "C"
