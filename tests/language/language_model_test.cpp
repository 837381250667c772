// Runs the language programs that read input over many inputs, edge values of
// the 32-bit range among them, and checks their exit status and output
// against models written here with 64-bit arithmetic reduced to 32 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.hpp"

namespace {

constexpr std::int64_t kMin = -2147483648LL;
constexpr std::int64_t kMax = 2147483647LL;

using test_support::Outcome;
using test_support::run_program;

// Reduction of an exact value to 32-bit two's complement.
std::int64_t wrap(std::int64_t v) {
  std::int64_t r = ((v - kMin) % 4294967296LL + 4294967296LL) % 4294967296LL;
  return r + kMin;
}
// Exact for every pair of 32-bit operands (the quotient 2^31 fits in 64 bits).
std::int64_t quotient(std::int64_t a, std::int64_t b) {
  return wrap(a / b);
}
std::int64_t remainder_of(std::int64_t a, std::int64_t b) {
  return wrap(a - (a / b) * b);
}

std::string join(const std::vector<std::int64_t>& values) {
  std::string text;
  for (std::int64_t v : values) text += std::to_string(v) + " ";
  return text + "\n";
}

// Inputs mixing the edges of the range, small values and arbitrary ones.
class Inputs {
 public:
  explicit Inputs(unsigned seed) : engine_(seed) {}
  std::int64_t next() {
    static constexpr std::int64_t edges[] = {kMin, kMin + 1, -100, -2, -1, 0,   0,        1,
                                             2,    3,        5,    11, 99, 100, kMax - 1, kMax};
    switch (engine_() % 3) {
      case 0:
        return edges[engine_() % std::size(edges)];
      case 1:
        return static_cast<std::int64_t>(engine_() % 21) - 10;
      default:
        return static_cast<std::int64_t>(engine_()) + kMin;
    }
  }
  std::vector<std::int64_t> take(int n) {
    std::vector<std::int64_t> values;
    for (int i = 0; i < n; ++i) values.push_back(next());
    return values;
  }

 private:
  std::mt19937 engine_;
};

constexpr char kTotal[] = "TOTAL: 0H-0M-0S-0us\n";
constexpr int kRounds = 40;

// ---------------------------------------------------------------------------
// nested_call_chain

std::int64_t f1(std::int64_t a, std::int64_t b, std::int64_t c) {
  return wrap(a * wrap(b - c));
}
std::int64_t f2(std::int64_t a, std::int64_t b) {
  return b != 0 ? remainder_of(a, b) : a;
}
std::int64_t f3(std::int64_t a, std::int64_t b) {
  return wrap(a + b + 1);
}
std::int64_t f4(std::int64_t a, std::int64_t b, std::int64_t c) {
  return a != 0 ? b : c;
}
std::int64_t f5(std::int64_t a) {
  return wrap(-a);
}
std::int64_t f6(std::int64_t a, std::int64_t b) {
  return a != 0 && b != 0;
}
std::int64_t f7(std::int64_t a) {
  return a == 0;
}

std::int64_t nested_model(const std::vector<std::int64_t>& v) {
  std::int64_t a = v[0], b = v[1], c = v[2], d = v[3];
  const std::int64_t* e = v.data() + 4;
  std::int64_t t = f5(f3(f2(f6(f7(a), f5(b)), c), d));
  std::int64_t u = f1(f2(f3(f4(f5(e[1]), f6(e[2], f7(e[3])), f2(e[4], f7(e[5]))), e[6]), e[7]),
                      f3(e[8], f7(e[9])), a);
  std::int64_t x = f4(t, e[0], u);
  x = f3(x, f2(b, f3(f7(c), d)));
  x = f1(x, e[0], e[1]);
  x = f2(x, e[2]);
  std::int64_t y = f3(f2(f1(f2(f3(e[4], f5(e[5])), f5(e[6])), e[7], f7(e[8])), f5(e[9])), a);
  return f1(x, e[3], y);
}

TEST(NestedCallChain, ModelAgreesOnEdgeAndRandomInputs) {
  ASSERT_EQ(nested_model({1, 2, 3, 4, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), -1);
  Inputs inputs(1);
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::int64_t> values = inputs.take(14);
    Outcome r = run_program(NESTED_CALL_CHAIN_PATH, join(values));
    EXPECT_EQ(r.status, wrap(nested_model(values)) & 255) << join(values);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kTotal);
  }
}

// ---------------------------------------------------------------------------
// short_circuit_input

std::string short_circuit_model(const std::vector<std::int64_t>& v) {
  std::int64_t g = 0;
  std::string out;
  auto func = [&](std::int64_t n) {
    g = wrap(g + n);
    out += std::to_string(g);
    return g;
  };
  if (v[0] > 10) func(v[0]);
  if (v[1] > 11) func(v[1]);
  if (!(v[2] <= 99)) func(v[2]);
  if (!(v[3] <= 100)) func(v[3]);
  if (func(99) == 0) func(100);
  return out;
}

TEST(ShortCircuitInput, ModelAgreesOnEdgeAndRandomInputs) {
  Inputs inputs(2);
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::int64_t> values = inputs.take(4);
    Outcome r = run_program(SHORT_CIRCUIT_INPUT_PATH, join(values));
    EXPECT_EQ(r.out, short_circuit_model(values)) << join(values);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, kTotal);
  }
}

TEST(ShortCircuitInput, LastCallRunsOnlyWhenTheTotalReachesZero) {
  // Three times the maximum plus 2147483552 wraps to -99: func(99) returns 0.
  Outcome reached = run_program(SHORT_CIRCUIT_INPUT_PATH, join({kMax, kMax, kMax, 2147483552}));
  EXPECT_EQ(reached.out, "2147483647-22147483645-990100");
  // One less leaves -1 after func(99): func(100) must not run.
  Outcome missed = run_program(SHORT_CIRCUIT_INPUT_PATH, join({kMax, kMax, kMax, 2147483551}));
  EXPECT_EQ(missed.out, "2147483647-22147483645-100-1");
}

TEST(ShortCircuitInput, ShortInputKeepsTheTotalsPrinted) {
  Outcome r = run_program(SHORT_CIRCUIT_INPUT_PATH, "11 12 100\n");
  EXPECT_EQ(r.out, "1123123");
  EXPECT_EQ(r.err, "short_circuit_input: integer 4 of 4 missing or not a number\n");
  EXPECT_EQ(r.status, 2);
}

// ---------------------------------------------------------------------------
// global_expr_conditions

int conditions_model(const std::vector<std::int64_t>& v) {
  std::int64_t a = v[0], b = v[1], c = v[2], d = v[3], e = v[4];
  if (wrap(a - wrap(b * c)) != wrap(d - quotient(a, c))) return 1;
  if (quotient(wrap(a * b), c) == wrap(e + d)) return 1;
  return wrap(wrap(a + b) + c) == wrap(d + e);
}

TEST(GlobalExprConditions, ModelAgreesOnEdgeAndRandomInputs) {
  Inputs inputs(3);
  int ones = 0;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::int64_t> values = inputs.take(5);
    Outcome r = run_program(GLOBAL_EXPR_CONDITIONS_PATH, join(values));
    if (values[2] == 0) {
      EXPECT_EQ(r.status, 2) << join(values);
      EXPECT_EQ(r.err, "global_expr_conditions: divisor c is 0\n");
    } else {
      EXPECT_EQ(r.status, conditions_model(values)) << join(values);
      EXPECT_EQ(r.err, kTotal);
      ones += r.status == 1;
    }
    EXPECT_EQ(r.out, "");
  }
  EXPECT_GT(ones, 0);
}

TEST(GlobalExprConditions, DivisorMinusOneWrapsTheMostNegativeQuotient) {
  for (std::int64_t d : {kMin, kMax, std::int64_t{0}, std::int64_t{1}}) {
    std::vector<std::int64_t> values = {kMin, 0, -1, d, 7};
    Outcome r = run_program(GLOBAL_EXPR_CONDITIONS_PATH, join(values));
    EXPECT_EQ(r.status, conditions_model(values)) << join(values);
  }
}

// ---------------------------------------------------------------------------
// equal_not_three and chained_locals_print

TEST(EqualNotThree, ModelAgreesOnEdgeAndRandomInputs) {
  Inputs inputs(4);
  for (int round = 0; round < kRounds; ++round) {
    std::int64_t a = inputs.next();
    std::int64_t b = round % 2 == 0 ? a : inputs.next();
    Outcome r = run_program(EQUAL_NOT_THREE_PATH, join({a, b}));
    EXPECT_EQ(r.status, a == b && a != 3 ? 1 : 0) << a << " " << b;
    EXPECT_EQ(r.err, kTotal);
  }
}

TEST(ChainedLocalsPrint, EchoesEveryValueButFive) {
  std::string digits;
  for (int i = 0; i < 30; ++i) digits += std::to_string(i);
  Inputs inputs(5);
  for (int round = 0; round < kRounds / 2; ++round) {
    std::int64_t value = round == 0 ? 5 : inputs.next();
    Outcome r = run_program(CHAINED_LOCALS_PRINT_PATH, join({value}));
    EXPECT_EQ(r.out, digits + "\n" + std::to_string(value == 5 ? 6 : value) + "\n");
    EXPECT_EQ(r.status, 25);
  }
}

// ---------------------------------------------------------------------------
// Input that ends early: every program refuses it, naming the first missing
// integer, and keeps what it printed before.

struct Reader {
  const char* name;
  const char* path;
  std::vector<std::int64_t> full_input;
  // Standard output of a run whose input holds only the first `have` values.
  std::string (*printed_before)(const std::vector<std::int64_t>& values);
};

std::string prints_nothing(const std::vector<std::int64_t>&) {
  return "";
}

std::string totals_before(const std::vector<std::int64_t>& v) {
  std::int64_t g = 0;
  std::string out;
  const std::int64_t limits[] = {10, 11};
  for (std::size_t i = 0; i < v.size() && i < 2; ++i)
    if (v[i] > limits[i]) out += std::to_string(g = wrap(g + v[i]));
  if (v.size() > 2 && v[2] > 99) out += std::to_string(g = wrap(g + v[2]));
  return out;
}

TEST(ShortInput, EveryPrefixIsRefusedAtTheFirstMissingInteger) {
  const Reader readers[] = {
      {"nested_call_chain",
       NESTED_CALL_CHAIN_PATH,
       {1, 2, 3, 4, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
       prints_nothing},
      {"short_circuit_input", SHORT_CIRCUIT_INPUT_PATH, {11, 12, 100, 101}, totals_before},
      {"global_expr_conditions", GLOBAL_EXPR_CONDITIONS_PATH, {1, 2, 0, 4, 5}, prints_nothing},
      {"equal_not_three", EQUAL_NOT_THREE_PATH, {4, 4}, prints_nothing},
      {"chained_locals_print", CHAINED_LOCALS_PRINT_PATH, {7}, prints_nothing},
  };
  for (const Reader& reader : readers) {
    const std::size_t count = reader.full_input.size();
    for (std::size_t have = 0; have < count; ++have) {
      std::vector<std::int64_t> prefix(reader.full_input.begin(), reader.full_input.begin() + have);
      Outcome r = run_program(reader.path, join(prefix));
      SCOPED_TRACE(std::string(reader.name) + " with " + join(prefix));
      EXPECT_EQ(r.status, 2);
      EXPECT_EQ(r.err, std::string(reader.name) + ": integer " + std::to_string(have + 1) + " of " +
                           std::to_string(count) + " missing or not a number\n");
      EXPECT_EQ(r.out, reader.printed_before(prefix));
    }
  }
}

}  // namespace
