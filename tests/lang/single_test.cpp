// lang/single.hpp's operations against what one rounding to single precision
// gives, where a float unit that keeps excess precision goes wrong: results in
// the subnormal range (rounded twice), overflow hidden by the extended
// exponent, precision kept from one operation to the next, ints converted
// without rounding. Every build runs it; it says something only where
// FLT_EVAL_METHOD is not 0 (the i686-x87 and m68k presets, and the emulated
// tests of a host build), and there it fails when built with
// -DLANG_EXCESS_PRECISION=0, which turns the rounding off.
//
// A plain program, not GoogleTest: the host build compiles it with the cross
// compilers and runs it under qemu (single_emulated.cmake).
#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "lang/arith.hpp"
#include "lang/float.hpp"

namespace {

int failures = 0;

// Opaque to the optimiser: nothing is folded at compile time, where g++
// rounds exactly.
[[gnu::noinline]] float opaque(float x) {
  volatile float v = x;
  return v;
}

std::uint32_t bits(float f) {
  return std::bit_cast<std::uint32_t>(f);
}

void expect(const char* what, float got, float want) {
  if (bits(got) == bits(want)) return;
  failures++;
  if (failures <= 20) std::printf("FAIL %s: %a, expected %a\n", what, got, want);
}

// The float nearest to m 2^e (m > 0), `sticky` meaning a little more than
// that: ties to even, subnormals, overflow to inf. Integer arithmetic only, so
// no float unit is involved.
float nearest(std::uint64_t m, int e, bool sticky) {
  int lead = e + 63 - __builtin_clzll(m);  // exponent of the leading bit
  int unit = lead - 23 < -149 ? -149 : lead - 23;
  int shift = unit - e;
  std::uint64_t q;
  if (shift <= 0) {
    q = m << -shift;  // exact (at most 24 bits)
  } else if (shift > 63) {
    q = 0;  // below half the smallest subnormal
  } else {
    q = m >> shift;
    std::uint64_t rest = m & ((std::uint64_t{1} << shift) - 1);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (sticky || (q & 1)))) q++;
  }
  if (q == std::uint64_t{1} << 24) {
    q >>= 1;
    unit++;
  }
  if (unit + 23 > 127) return std::numeric_limits<float>::infinity();
  if (q < (std::uint64_t{1} << 23)) return std::bit_cast<float>(static_cast<std::uint32_t>(q));
  auto biased = static_cast<std::uint32_t>(unit + 23 + 127);
  return std::bit_cast<float>(biased << 23 | (static_cast<std::uint32_t>(q) & 0x7fffffu));
}

// x (finite, positive) as significand * 2^exponent.
void split(float x, std::uint64_t& significand, int& exponent) {
  std::uint32_t b = bits(x);
  std::uint32_t biased = b >> 23;
  significand = b & 0x7fffffu;
  exponent = -149;
  if (biased != 0) {
    significand |= 0x800000u;
    exponent = static_cast<int>(biased) - 150;
  }
}

float exact_product(float a, float b) {
  std::uint64_t ma, mb;
  int ea, eb;
  split(a, ma, ea);
  split(b, mb, eb);
  return nearest(ma * mb, ea + eb, false);
}

float exact_quotient(float a, float b) {
  std::uint64_t ma, mb;
  int ea, eb;
  split(a, ma, ea);
  split(b, mb, eb);
  while (ma < (std::uint64_t{1} << 23)) {  // 24 bits, so the quotient has 39
    ma <<= 1;
    ea--;
  }
  std::uint64_t wide = ma << 39;
  return nearest(wide / mb, ea - eb - 39, wide % mb != 0);
}

std::uint32_t state = 12345;
std::uint32_t next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

// A positive float with a random significand and the given biased exponent.
float random_float(int biased) {
  return std::bit_cast<float>(static_cast<std::uint32_t>(biased) << 23 | (next() & 0x7fffffu));
}

// The cases worked out by hand, each one a way excess precision shows.
void known_cases() {
  // 0x1.cp-78 * 0x1.6db6dcp-71 = 7 * 5991863 * 2^-173 = 5 * 2^-150 + 2^-173,
  // just above the midpoint between 2 and 3 times 2^-149: 3 * 2^-149. Rounded
  // to 24 bits first (m68k's fsglmul) it is the midpoint, and the tie gives 2.
  expect("subnormal product", lang::mul(opaque(0x1.cp-78f), opaque(0x1.6db6dcp-71f)), 0x1.8p-148f);
  // Found by a search with exact rationals: the quotient is a little above
  // 8740257 * 2^-150, a midpoint, so 4370129 * 2^-149; rounded to 24 bits
  // first (m68k's fsgldiv) it is the midpoint, and the tie gives 4370128.
  expect("subnormal quotient", lang::div(opaque(0x1.12eb06p-100f), opaque(0x1.07db72p+27f)),
         0x1.0abb44p-127f);
  // 2^100 * 2^100 overflows to inf, and inf / 2^100 stays inf; with the
  // extended exponent the quotient would be 2^100 again.
  float big = opaque(0x1p100f);
  expect("overflow", lang::div(lang::mul(big, big), big), std::numeric_limits<float>::infinity());
  // 2^-75 * (1 + 2^-23) 2^-65 is 2^-140 (the 2^-163 is below the subnormal
  // grid); times 2^100 that is 2^-40, not (1 + 2^-23) 2^-40.
  float tiny = lang::mul(opaque(0x1p-75f), opaque(0x1.000002p-65f));
  expect("subnormal kept", lang::mul(tiny, opaque(0x1p100f)), 0x1p-40f);
  // 1e8 + 1 is 1e8 in single precision.
  float e8 = opaque(1e8f);
  expect("sum kept", lang::sub(lang::add(e8, opaque(1.0f)), e8), 0.0f);
  // 16777217 is not a float: it converts to 16777216.
  volatile std::int32_t odd = 16777217;
  expect("int converted", lang::sub(lang::to_float(odd), 16777216.0f), 0.0f);
  // The reference NaN operations round the same way.
  expect("fmul overflow", lang::fsub(lang::fmul(big, big), lang::fmul(big, big)),
         lang::default_nan);
}

// Random products and quotients whose results lie around the bottom of the
// normal range and in the subnormal range, and anywhere, against the exact
// integer computation.
void random_cases() {
  int checked = 0;
  while (checked < 40000) {
    int ba = 20 + static_cast<int>(next() % 100);
    int wanted = -138 + static_cast<int>(next() % 14);  // leading bit of the result
    bool product = checked % 2 == 0;
    if (checked % 8 == 7) wanted = -126 + static_cast<int>(next() % 254);  // anywhere
    // Leading bits: a's is ba - 127, the result's about a's + b's (product) or
    // a's - b's (quotient).
    int bb = product ? wanted - (ba - 127) + 127 : (ba - 127) - wanted + 127;
    if (bb < 1 || bb > 254) continue;
    float a = opaque(random_float(ba));
    float b = opaque(random_float(bb));
    if (product)
      expect("random product", lang::mul(a, b), exact_product(a, b));
    else
      expect("random quotient", lang::div(a, b), exact_quotient(a, b));
    checked++;
  }
}

}  // namespace

int main() {
  // The reference computation checked on cases worked out by hand.
  if (bits(nearest(5ull << 23 | 1, -173, false)) != bits(0x1.8p-148f) ||
      bits(nearest(5, -150, false)) != bits(0x1p-148f) ||
      bits(nearest(1, -150, true)) != bits(0x1p-149f) ||
      bits(nearest(1, -150, false)) != bits(0.0f) ||
      bits(nearest((1ull << 25) - 1, 103, false)) != bits(std::numeric_limits<float>::infinity())) {
    std::printf("FAIL: the exact rounding itself\n");
    return 1;
  }
  known_cases();
  random_cases();
  std::printf("%s: %d failures (FLT_EVAL_METHOD %d, rounding %s)\n", failures ? "FAIL" : "ok",
              failures, static_cast<int>(FLT_EVAL_METHOD), LANG_EXCESS_PRECISION ? "on" : "off");
  return failures ? 1 : 0;
}
