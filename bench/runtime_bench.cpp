// Per-call cost of the runtime's console routines against the C library
// conversions they replace, on the same in-memory streams. Each routine gives
// a pair of benchmarks, NAME/stdio (the baseline) and NAME/runtime.
//
// The routines work on the process's stdin and stdout, so the timed loops
// point those at an in-memory input and at /dev/null and put them back after.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "stdio_reference.hpp"
#include "suite_runtime.h"

namespace {

// Inputs of the kinds the programs read: integers of every length, floats in
// decimal (as many digits as a float needs) and in hexadecimal, and text.
struct Corpus {
  std::string text;
  int tokens = 0;
};

Corpus make_corpus(char kind) {
  std::mt19937 rng(12345);
  Corpus c;
  char item[64];
  for (int i = 0; i < 100000; i++) {
    const auto bits = static_cast<std::uint32_t>(rng());
    float f;
    std::memcpy(&f, &bits, sizeof f);
    // Values of the size programs read (coordinates, samples, weights); the
    // differential test covers every magnitude.
    if (kind != 'h')
      f = static_cast<float>(static_cast<int>(bits % 2000001) - 1000000) / 64.0f / 7.0f;
    if (!(f == f) || f - f != 0.0f) f = static_cast<float>(bits % 100000) / 7.0f;
    switch (kind) {
      case 'i':
        std::snprintf(item, sizeof item, "%d", static_cast<int>(bits) >> (bits % 31));
        break;
      case 'd':
        std::snprintf(item, sizeof item, "%.9g", static_cast<double>(f));
        break;
      case 'h':
        std::snprintf(item, sizeof item, "%a", static_cast<double>(f));
        break;
      default:
        item[0] = static_cast<char>('a' + bits % 26);
        item[1] = '\0';
        break;
    }
    c.text += item;
    if (kind != 'c') c.text += (i % 10 == 9) ? "\n" : " ";
    c.tokens++;
  }
  return c;
}

const Corpus& corpus(char kind) {
  static const Corpus ints = make_corpus('i');
  static const Corpus decimals = make_corpus('d');
  static const Corpus hexes = make_corpus('h');
  static const Corpus chars = make_corpus('c');
  return kind == 'i' ? ints : kind == 'd' ? decimals : kind == 'h' ? hexes : chars;
}

// Points stdin at the corpus for the lifetime of the object.
class InputRedirect {
 public:
  explicit InputRedirect(const Corpus& corpus)
      : saved_(stdin),
        memory_(fmemopen(const_cast<char*>(corpus.text.data()), corpus.text.size(), "r")) {
    stdin = memory_;
  }
  ~InputRedirect() {
    stdin = saved_;
    std::fclose(memory_);
  }
  InputRedirect(const InputRedirect&) = delete;
  InputRedirect& operator=(const InputRedirect&) = delete;

 private:
  std::FILE* saved_;
  std::FILE* memory_;
};

class OutputRedirect {
 public:
  OutputRedirect() : saved_(stdout), sink_(std::fopen("/dev/null", "w")) { stdout = sink_; }
  ~OutputRedirect() {
    stdout = saved_;
    std::fclose(sink_);
  }
  OutputRedirect(const OutputRedirect&) = delete;
  OutputRedirect& operator=(const OutputRedirect&) = delete;

 private:
  std::FILE* saved_;
  std::FILE* sink_;
};

// Runs `read` once per iteration over the corpus, starting again at its end.
template <typename Read>
void read_loop(benchmark::State& state, char kind, Read read) {
  const Corpus& c = corpus(kind);
  InputRedirect redirect(c);
  int left = c.tokens;
  for (auto _ : state) {
    benchmark::DoNotOptimize(read());
    if (--left == 0) {
      std::rewind(stdin);
      left = c.tokens;
    }
  }
}

const std::vector<int>& int_values() {
  static const std::vector<int> values = [] {
    std::mt19937 rng(777);
    std::vector<int> v(4096);
    for (int& x : v) x = static_cast<int>(rng()) >> (rng() % 31);
    return v;
  }();
  return values;
}

const std::vector<float>& float_values() {
  static const std::vector<float> values = [] {
    std::mt19937 rng(778);
    std::vector<float> v(4096);
    for (float& x : v) {
      const auto bits = static_cast<std::uint32_t>(rng());
      std::memcpy(&x, &bits, sizeof x);
    }
    return v;
  }();
  return values;
}

template <typename T, typename Write>
void write_loop(benchmark::State& state, const std::vector<T>& values, Write write) {
  OutputRedirect redirect;
  std::size_t i = 0;
  for (auto _ : state) {
    write(values[i]);
    i = (i + 1) & (values.size() - 1);
  }
}

int stdio_getint() {
  int v;
  stdio_reference::scan_int(stdin, v);
  return v;
}
int stdio_getch() {
  int v;
  stdio_reference::scan_char(stdin, v);
  return v;
}
float stdio_getfloat() {
  float v;
  stdio_reference::scan_float(stdin, v);
  return v;
}

void print_int_stdio(int v) {
  std::printf("%d", v);
}
void print_char_stdio(int v) {
  std::putchar(static_cast<unsigned char>(v));
}
void print_float_stdio(float v) {
  std::printf("%a", static_cast<double>(v));
}

}  // namespace

// Each pair: the same loop over the same values, NAME/stdio then NAME/runtime.
BENCHMARK_CAPTURE(read_loop, getint_stdio, 'i', stdio_getint)->Name("getint/stdio");
BENCHMARK_CAPTURE(read_loop, getint_runtime, 'i', getint)->Name("getint/runtime");
BENCHMARK_CAPTURE(read_loop, getch_stdio, 'c', stdio_getch)->Name("getch/stdio");
BENCHMARK_CAPTURE(read_loop, getch_runtime, 'c', getch)->Name("getch/runtime");
BENCHMARK_CAPTURE(read_loop, dec_stdio, 'd', stdio_getfloat)->Name("getfloat (decimal)/stdio");
BENCHMARK_CAPTURE(read_loop, dec_runtime, 'd', getfloat)->Name("getfloat (decimal)/runtime");
BENCHMARK_CAPTURE(read_loop, hex_stdio, 'h', stdio_getfloat)->Name("getfloat (hex)/stdio");
BENCHMARK_CAPTURE(read_loop, hex_runtime, 'h', getfloat)->Name("getfloat (hex)/runtime");
BENCHMARK_CAPTURE(write_loop, putint_stdio, int_values(), print_int_stdio)->Name("putint/stdio");
BENCHMARK_CAPTURE(write_loop, putint_runtime, int_values(), putint)->Name("putint/runtime");
BENCHMARK_CAPTURE(write_loop, putch_stdio, int_values(), print_char_stdio)->Name("putch/stdio");
BENCHMARK_CAPTURE(write_loop, putch_runtime, int_values(), putch)->Name("putch/runtime");
BENCHMARK_CAPTURE(write_loop, putfloat_stdio, float_values(), print_float_stdio)
    ->Name("putfloat/stdio");
BENCHMARK_CAPTURE(write_loop, putfloat_runtime, float_values(), putfloat)->Name("putfloat/runtime");

BENCHMARK_MAIN();
