// Differential test of the runtime's console conversions against the C
// library calls they replace. Every read is run on two streams over the same
// bytes, one through the runtime and one through scanf; results, success and
// the bytes left unread must agree. Every print is compared byte for byte with
// printf's. The corpus is generated from a fixed seed (reproducible), plus
// every short string over the characters a number is made of.
//
// Usage: runtime_diff_test [scale]   (scale multiplies the generated corpus)
#include <cinttypes>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "console_io.h"
#include "stdio_reference.hpp"
#include "suite_runtime.h"

namespace {

using Rng = std::mt19937_64;

long checks = 0;
int failures = 0;

std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", c);
      out += code;
    }
  }
  return out;
}

bool report(const std::string& what) {
  if (failures < 20) std::printf("MISMATCH %s\n", what.c_str());
  failures++;
  return false;
}

// ---- Input -----------------------------------------------------------------

enum class Op { integer, character, real };

// A read-only stream over a text that hands out at most `chunk` bytes per
// read, so that conversions and pushback meet the refills of the buffer.
struct Source {
  const std::string* text;
  std::size_t pos;
  std::size_t chunk;
};

ssize_t read_source(void* cookie, char* buffer, std::size_t size) {
  auto* source = static_cast<Source*>(cookie);
  std::size_t n = source->text->size() - source->pos;
  if (n > size) n = size;
  if (n > source->chunk) n = source->chunk;
  std::memcpy(buffer, source->text->data() + source->pos, n);
  source->pos += n;
  return static_cast<ssize_t>(n);
}

std::FILE* open_source(Source& source) {
  cookie_io_functions_t io{read_source, nullptr, nullptr, nullptr};
  return fopencookie(&source, "r", io);
}

struct Outcome {
  bool ok;
  std::uint32_t value;  // the int, the byte or the float's bits
};

Outcome read_ours(Op op, std::FILE* in) {
  Outcome r{};
  int i = 0;
  float f = 0.0f;
  switch (op) {
    case Op::integer:
      r.ok = runtime_detail::scan_int(in, i);
      break;
    case Op::character:
      r.ok = runtime_detail::scan_char(in, i);
      break;
    case Op::real:
      r.ok = runtime_detail::scan_float(in, f);
      std::memcpy(&i, &f, sizeof i);
      break;
  }
  r.value = static_cast<std::uint32_t>(i);
  return r;
}

Outcome read_reference(Op op, std::FILE* in) {
  Outcome r{};
  int i = 0;
  float f = 0.0f;
  switch (op) {
    case Op::integer:
      r.ok = stdio_reference::scan_int(in, i);
      break;
    case Op::character:
      r.ok = stdio_reference::scan_char(in, i);
      break;
    case Op::real:
      r.ok = stdio_reference::scan_float(in, f);
      std::memcpy(&i, &f, sizeof i);
      break;
  }
  r.value = static_cast<std::uint32_t>(i);
  return r;
}

std::string rest_of(std::FILE* in) {
  std::string rest;
  for (int c; (c = std::getc(in)) != EOF;) rest.push_back(static_cast<char>(c));
  return rest;
}

const char* op_name(Op op) {
  return op == Op::integer ? "getint" : op == Op::character ? "getch" : "getfloat";
}

// Runs the reads on both streams; true when every result and the unread rest
// agree.
bool compare_reads(const std::string& text, const std::vector<Op>& ops, std::size_t chunk) {
  Source ours_source{&text, 0, chunk};
  Source reference_source{&text, 0, chunk};
  std::FILE* ours = open_source(ours_source);
  std::FILE* reference = open_source(reference_source);
  bool same = true;
  for (std::size_t k = 0; k < ops.size() && same; k++) {
    const Outcome a = read_ours(ops[k], ours);
    const Outcome b = read_reference(ops[k], reference);
    checks++;
    if (a.ok != b.ok || a.value != b.value) {
      char detail[160];
      std::snprintf(detail, sizeof detail,
                    "read %zu (%s, chunk %zu): runtime ok=%d 0x%08" PRIx32
                    ", stdio ok=%d 0x%08" PRIx32,
                    k, op_name(ops[k]), chunk, a.ok, a.value, b.ok, b.value);
      same = report(std::string(detail) + " on \"" + escaped(text.substr(0, 200)) + "\"");
    }
  }
  if (same && std::feof(ours) != std::feof(reference)) {
    same = report("end-of-file flag differs on \"" + escaped(text.substr(0, 200)) + "\"");
  }
  if (same) {
    const std::string a = rest_of(ours);
    const std::string b = rest_of(reference);
    checks++;
    if (a != b) {
      same = report("unread rest \"" + escaped(a.substr(0, 40)) + "\" instead of \"" +
                    escaped(b.substr(0, 40)) + "\" on \"" + escaped(text.substr(0, 200)) + "\"");
    }
  }
  std::fclose(ours);
  std::fclose(reference);
  return same;
}

// -- Corpus ------------------------------------------------------------------

// Draws from the generator are sequenced one per expression (never two
// operands of one +), so that every compiler and platform builds the same
// corpus from the seed.

int pick(Rng& rng, int n) {
  return static_cast<int>(rng() % static_cast<unsigned>(n));
}
bool chance(Rng& rng, int percent) {
  return pick(rng, 100) < percent;
}

template <std::size_t N>
const char* one_of(Rng& rng, const char* const (&items)[N]) {
  return items[pick(rng, static_cast<int>(N))];
}

std::string digits(Rng& rng, int count, const char* alphabet = "0123456789") {
  const int n = static_cast<int>(std::strlen(alphabet));
  std::string out;
  for (int i = 0; i < count; i++) out.push_back(alphabet[pick(rng, n)]);
  return out;
}

std::string sign(Rng& rng) {
  return one_of(rng, {"", "", "", "-", "+"});
}

std::string white_space(Rng& rng) {
  if (chance(rng, 60)) return " ";
  if (chance(rng, 15)) return "";  // tokens run together
  std::string out;
  for (int n = 1 + pick(rng, 3); n > 0; n--) out.push_back(" \t\n\v\f\r"[pick(rng, 6)]);
  return out;
}

std::string random_case(Rng& rng, std::string word) {
  for (char& c : word) {
    if (c >= 'a' && c <= 'z' && chance(rng, 30)) c = static_cast<char>(c - 'a' + 'A');
  }
  return word;
}

// Appends an exponent: one of the two letters, maybe a sign, 0 to 3 digits.
void exponent(Rng& rng, const char* letters, std::string& t) {
  t.push_back(letters[pick(rng, 2)]);
  t += sign(rng);
  t += digits(rng, pick(rng, 4));
}

std::string int_token(Rng& rng) {
  static const char* const edges[] = {"2147483647",
                                      "2147483648",
                                      "-2147483648",
                                      "-2147483649",
                                      "4294967295",
                                      "4294967296",
                                      "4294967297",
                                      "9223372036854775807",
                                      "9223372036854775808",
                                      "-9223372036854775808",
                                      "-9223372036854775809",
                                      "18446744073709551617",
                                      "0",
                                      "-0",
                                      "+0",
                                      "00000000000000000000012",
                                      "+",
                                      "-",
                                      "--1",
                                      "+-1",
                                      "0x1f",
                                      "-x",
                                      "1-2",
                                      "99999999999999999999999999"};
  if (chance(rng, 15)) return edges[pick(rng, sizeof edges / sizeof edges[0])];
  std::string zeros(chance(rng, 10) ? static_cast<std::size_t>(pick(rng, 4)) : 0, '0');
  const int length = chance(rng, 70) ? 1 + pick(rng, 10) : 1 + pick(rng, 25);
  std::string t = sign(rng);
  t += zeros;
  return t + digits(rng, length);
}

std::string printed(const char* format, double value, int precision) {
  char text[512];
  std::snprintf(text, sizeof text, format, precision, value);
  return text;
}

float random_float(Rng& rng) {
  const auto bits = static_cast<std::uint32_t>(rng());
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

float next_up(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  bits++;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// Decimal text exactly at, just above or just below the midpoint of two
// neighbouring floats: where a conversion that is not correctly rounded errs.
std::string halfway_token(Rng& rng) {
  float low = random_float(rng);
  if (!(low == low) || low > 3.4e38f || low < -3.4e38f) low = 1.0f;
  if (low < 0) low = -low;
  const double mid = (static_cast<double>(low) + static_cast<double>(next_up(low))) / 2;
  std::string text = printed("%.*e", mid, 120);
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  const std::string exponent = text.substr(e);
  while (mantissa.back() == '0') mantissa.pop_back();
  switch (pick(rng, 3)) {
    case 0:
      break;
    case 1:
      mantissa += std::string(static_cast<std::size_t>(pick(rng, 30)), '0') + "1";
      break;
    default:
      if (mantissa.size() > 3) mantissa.pop_back();
      break;
  }
  return sign(rng) + (mantissa + exponent);
}

std::string float_token(Rng& rng) {
  static const char* const edges[] = {"inf",
                                      "infinity",
                                      "nan",
                                      "nan(123)",
                                      "-nan",
                                      "+inf",
                                      "infinit",
                                      "infx",
                                      "in",
                                      "na",
                                      "nanq",
                                      "infinityx",
                                      "0x",
                                      "0xp1",
                                      ".",
                                      "-.",
                                      ".e1",
                                      "1e",
                                      "1e+",
                                      "1e-x",
                                      "1..2",
                                      "0x.p1",
                                      "0x1.p",
                                      "e5",
                                      "1.5e5.3",
                                      "0x1p-149",
                                      "0x1p-150",
                                      "0x1.8p-150",
                                      "0x1.fffffep127",
                                      "0x1.ffffffp127",
                                      "0x1.000001p0",
                                      "0x1.0000011p0",
                                      "0x1.000003p0",
                                      "0x0.000002p-126",
                                      "1e39",
                                      "-1e39",
                                      "3.4028235e38",
                                      "3.40282357e38",
                                      "3.4028236e38",
                                      "1e-46",
                                      "7e-46",
                                      "7.1e-46",
                                      "1.4e-45",
                                      "7.006492321624085e-46",
                                      "1e-99999",
                                      "1e99999",
                                      "0e99999",
                                      "0x1p99999",
                                      "0x1p-99999",
                                      "-0",
                                      "0x0",
                                      "0x0p0",
                                      ".5",
                                      "5.",
                                      "-.5e-1",
                                      "00.000",
                                      "0X1P1",
                                      "1E1",
                                      "+.",
                                      "+-1",
                                      "-inf",
                                      "NaN(x_y)"};
  switch (pick(rng, 9)) {
    case 0:
      return edges[pick(rng, sizeof edges / sizeof edges[0])];
    case 1:
      return random_case(rng, one_of(rng, {"inf", "infinity", "nan", "nan(", "in", "infin",
                                           "infinityy", "na", "nan(1)"}));
    case 2: {
      const float f = random_float(rng);
      const char* format = one_of(rng, {"%.*g", "%.*e", "%.*a", "%.*A", "%.*f"});
      return printed(format, f, pick(rng, 12));
    }
    case 3: {
      const float f = random_float(rng);
      const char* format = one_of(rng, {"%.*g", "%.*a"});
      return printed(format, f, 9);
    }
    case 4:
      return halfway_token(rng);
    case 5: {
      // Hexadecimal, every part optional.
      std::string t = sign(rng);
      t += one_of(rng, {"0x", "0X"});
      const char* hex = "0123456789abcdefABCDEF";
      t += digits(rng, pick(rng, 10), hex);
      if (chance(rng, 60)) t += "." + digits(rng, pick(rng, 12), hex);
      if (chance(rng, 70)) exponent(rng, "pP", t);
      return t;
    }
    default: {
      // Decimal, every part optional, long mantissas included.
      std::string t = sign(rng);
      t += digits(rng, chance(rng, 80) ? pick(rng, 8) : pick(rng, 40));
      if (chance(rng, 70)) t += "." + digits(rng, chance(rng, 80) ? pick(rng, 8) : pick(rng, 40));
      if (chance(rng, 50)) exponent(rng, "eE", t);
      return t;
    }
  }
}

// One generated input with the reads to run on it: mostly the read each token
// was made for, sometimes another one, with single characters in between.
void generated_case(Rng& rng, int tokens, std::string& text, std::vector<Op>& ops) {
  text.clear();
  ops.clear();
  for (int t = 0; t < tokens; t++) {
    text += white_space(rng);
    Op op;
    switch (pick(rng, 10)) {
      case 0:
      case 1:
      case 2:
        text += int_token(rng);
        op = Op::integer;
        break;
      case 3:
        text.push_back(static_cast<char>(pick(rng, 256)));
        op = Op::character;
        break;
      default:
        text += float_token(rng);
        op = Op::real;
        break;
    }
    if (chance(rng, 10)) op = static_cast<Op>(pick(rng, 3));
    ops.push_back(op);
    if (chance(rng, 10)) ops.push_back(Op::character);
  }
  // Reads past the end of the input must fail the same way, repeatedly.
  for (int k = pick(rng, 3); k > 0; k--) ops.push_back(static_cast<Op>(pick(rng, 3)));
}

void check_generated_reads(Rng& rng, int cases) {
  std::string text;
  std::vector<Op> ops;
  for (int i = 0; i < cases; i++) {
    generated_case(rng, 1 + pick(rng, 8), text, ops);
    const std::size_t chunk = chance(rng, 70) ? BUFSIZ : 1 + static_cast<std::size_t>(pick(rng, 5));
    compare_reads(text, ops, chunk);
  }
  // One long stream: the buffer is refilled many times mid-token.
  generated_case(rng, 20000 * (cases / 20000 + 1), text, ops);
  compare_reads(text, ops, 7);
  compare_reads(text, ops, BUFSIZ);
}

// Every string up to four characters over what numbers are made of, read
// once as a float and once as an integer; the rest shows what was consumed.
void check_short_strings() {
  const std::string alphabet = "01.eEpx+-infaty (";
  std::vector<std::string> level{""};
  for (int length = 1; length <= 4; length++) {
    std::vector<std::string> next;
    for (const std::string& prefix : level) {
      for (char c : alphabet) next.push_back(prefix + c);
    }
    for (const std::string& text : next) {
      compare_reads(text, {Op::real, Op::character}, BUFSIZ);
      if (length <= 3) compare_reads(text, {Op::integer, Op::character}, 1);
    }
    level.swap(next);
  }
  // The same strings with room behind them: numbers are then read a word of
  // eight bytes at a time, which needs that many bytes left in the buffer.
  const std::string room(24, ' ');
  for (const std::string& text : level) {
    compare_reads(text + room, {Op::real, Op::character}, BUFSIZ);
    compare_reads(text + room, {Op::integer, Op::character}, BUFSIZ);
  }
  compare_reads("", {Op::integer, Op::real, Op::character, Op::character}, BUFSIZ);
  compare_reads(" \t\n\v\f\r", {Op::real, Op::character}, BUFSIZ);
}

// Numbers at the edges of the word-at-a-time conversions: runs of 7, 8, 9, 16
// and 17 digits, 19 and 20 digits with and without leading zeros, 15 and 16
// significant hex digits, and hex results that leave the normal floats.
void check_word_edges() {
  const char* texts[] = {
      "1234567 ",
      "12345678 ",
      "123456789 ",
      "1234567890123456 ",
      "12345678901234567 ",
      "9999999999999999999 ",
      "18446744073709551616 ",
      "00000000000000000000000000042 ",
      "-00000000000000000002147483648 ",
      "+0000000002147483647x",
      "12345678.12345678e3 ",
      "0.00000000000000000000001234 ",
      "1234567890123456789.5 ",
      "9007199254740993 ",
      "0x123456789abcdefp0 ",
      "0x123456789abcdef0p-4 ",
      "0x0000000000000000001p-149 ",
      "0x1p-126 ",
      "0x1p-127 ",
      "0x1.fffffep127 ",
      "0x1.ffffffp127 ",
      "0x1p128 ",
      "0x.00000000000000001p0 ",
      "0x1.000001p0 ",
      "0x1.0000018p0 ",
      "0x1.000003p0 ",
      "1.00000005960464477539062 ",
      "3.4028235e38 ",
      "1e-5 ",
      "16777217 ",
  };
  const std::string room(16, ' ');
  for (const char* text : texts) {
    for (Op op : {Op::integer, Op::real})
      compare_reads(text + room, {op, op, Op::character}, BUFSIZ);
  }
}

// ---- Output ----------------------------------------------------------------

void expect_text(const std::string& ours, const char* reference, const char* what) {
  checks++;
  if (ours != reference)
    report(std::string(what) + ": \"" + ours + "\" instead of \"" + reference + "\"");
}

void check_int_text(int value) {
  char text[runtime_detail::int_text_max];
  char* const end = text + sizeof text;
  char reference[32];
  std::snprintf(reference, sizeof reference, "%d", value);
  expect_text(std::string(runtime_detail::format_int(value, end), end), reference, "putint");
}

void check_float_text(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  char text[runtime_detail::float_text_max];
  char reference[64];
  std::snprintf(reference, sizeof reference, "%a", static_cast<double>(value));
  const char* end = runtime_detail::format_float(value, text);
  expect_text(std::string(static_cast<const char*>(text), end), reference, "putfloat");
}

void check_number_texts(Rng& rng, int count) {
  for (int v : {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX}) check_int_text(v);
  for (int p = 1;; p *= 10) {
    for (int v : {p - 1, p, p + 1}) check_int_text(v), check_int_text(-v);
    if (p == 1000000000) break;
  }
  for (int i = 0; i < count; i++) {
    const auto bits = static_cast<std::uint32_t>(rng());
    check_int_text(static_cast<int>(bits >> pick(rng, 32)));
    check_int_text(static_cast<int>(bits));
  }

  // Every exponent, with fractions of one bit, all bits and random ones;
  // then random patterns (NaN payloads, subnormals) of both signs.
  for (std::uint32_t exponent = 0; exponent < 256; exponent++) {
    for (std::uint32_t fraction :
         {0u, 1u, 2u, 0x7fffffu, 0x400000u, 0x7ffffeu, 0x100000u, 0x80000u}) {
      for (std::uint32_t sign_bit : {0u, 0x80000000u}) {
        check_float_text(sign_bit | exponent << 23 | fraction);
      }
    }
    for (int bit = 0; bit < 23; bit++) check_float_text(exponent << 23 | 1u << bit);
    for (int i = 0; i < 200; i++) {
      check_float_text(exponent << 23 | static_cast<std::uint32_t>(rng() & 0x7fffff));
    }
  }
  for (int i = 0; i < count; i++) check_float_text(static_cast<std::uint32_t>(rng()));
}

// The runtime's writes and printf's on one stream, in random order, against
// the same sequence done with stdio alone: output must interleave in call
// order under every buffering mode.
void check_interleaving(Rng& rng, int count, int mode) {
  std::FILE* ours = std::tmpfile();
  std::FILE* reference = std::tmpfile();
  std::setvbuf(ours, nullptr, mode, mode == _IONBF ? 0 : 64);
  std::setvbuf(reference, nullptr, mode, mode == _IONBF ? 0 : 64);
  for (int i = 0; i < count; i++) {
    const auto bits = static_cast<std::uint32_t>(rng());
    float f;
    std::memcpy(&f, &bits, sizeof f);
    switch (pick(rng, 4)) {
      case 0:
        runtime_detail::print_int(ours, static_cast<int>(bits));
        stdio_reference::print_int(reference, static_cast<int>(bits));
        break;
      case 1:
        runtime_detail::print_char(ours, static_cast<int>(bits));
        stdio_reference::print_char(reference, static_cast<int>(bits));
        break;
      case 2:
        runtime_detail::print_float(ours, f);
        stdio_reference::print_float(reference, f);
        break;
      default:
        std::fprintf(ours, "<%u\n>", bits % 1000);
        std::fprintf(reference, "<%u\n>", bits % 1000);
        break;
    }
  }
  std::rewind(ours);
  std::rewind(reference);
  const std::string a = rest_of(ours);
  const std::string b = rest_of(reference);
  checks++;
  if (a != b) report("interleaved output differs in buffering mode " + std::to_string(mode));
  std::fclose(ours);
  std::fclose(reference);
}

// The exported routines on the process's own stdout, mixed with putf.
void check_exported_output(Rng& rng, int count) {
  std::FILE* const saved = stdout;
  std::FILE* reference = std::tmpfile();
  stdout = std::tmpfile();
  for (int i = 0; i < count; i++) {
    const auto bits = static_cast<std::uint32_t>(rng());
    float f;
    std::memcpy(&f, &bits, sizeof f);
    switch (pick(rng, 4)) {
      case 0:
        putint(static_cast<int>(bits));
        std::fprintf(reference, "%d", static_cast<int>(bits));
        break;
      case 1:
        putch(static_cast<int>(bits));
        std::putc(static_cast<unsigned char>(bits), reference);
        break;
      case 2:
        putfloat(f);
        std::fprintf(reference, "%a", static_cast<double>(f));
        break;
      default:
        putf("[%x]", bits);
        std::fprintf(reference, "[%x]", bits);
        break;
    }
  }
  std::rewind(stdout);
  std::rewind(reference);
  const std::string a = rest_of(stdout);
  const std::string b = rest_of(reference);
  std::fclose(stdout);
  std::fclose(reference);
  stdout = saved;
  checks++;
  if (a != b) report("putint/putch/putfloat/putf output differs from printf's");
}

}  // namespace

int main(int argc, char** argv) {
  const int scale = argc > 1 ? std::atoi(argv[1]) : 1;
  Rng rng(20261208);
  check_short_strings();
  check_word_edges();
  check_generated_reads(rng, 40000 * scale);
  check_number_texts(rng, 300000 * scale);
  for (int mode : {_IOFBF, _IOLBF}) check_interleaving(rng, 20000 * scale, mode);
  check_interleaving(rng, 2000 * scale, _IONBF);
  check_exported_output(rng, 20000 * scale);
  std::printf("%ld comparisons, %d mismatches\n", checks, failures);
  return failures == 0 ? 0 : 1;
}
