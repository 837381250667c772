#include "inputs.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <set>

#include "generate.hpp"

namespace hostile {

namespace {

// Fixed-seed xorshift, kept apart from the shared generator: the driver's
// accepted and refused counts depend on this exact sequence.
struct Random {
  std::uint64_t state;
  explicit Random(std::uint64_t seed) : state(seed) {}
  std::uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
};

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct Token {
  std::size_t begin, end;
};

// Where each run of non-space bytes starts and ends; the spaces are no part
// of a token, so a replacement keeps the input's layout.
std::vector<Token> token_spans(const std::string& s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && is_space(s[i])) i++;
    if (i >= s.size()) break;
    std::size_t b = i;
    while (i < s.size() && !is_space(s[i])) i++;
    tokens.push_back({b, i});
  }
  return tokens;
}

// Beyond 32 bits, the bounds and one past them, signs, and counts that are
// far too large; each program adds the literals of its own source.
const std::vector<std::string> fixed_values = {"-2147483648", "-2147483649",
                                               "2147483647",  "2147483648",
                                               "99999999999", "-99999999999",
                                               "4294967296",  "4294967297",
                                               "-1",          "0",
                                               "1",           "-1000000",
                                               "1000000",     "99999999999999999999999"};

// Text that is no integer, or a float that an integer read stops at.
const std::vector<std::string> odd_tokens = {
    "x", "-", "+", "0x1A", "1e5", "1.5", "nan", "inf", "-inf", "1e39", "-0x1p-149", "\xff", "\x01"};

class Collector {
 public:
  explicit Collector(std::vector<Input>& out) : out_(out) {}
  void add(const std::string& family, const std::string& bytes) {
    if (seen_.insert(bytes).second) out_.push_back({family, bytes});
  }

 private:
  std::vector<Input>& out_;
  std::set<std::string> seen_;
};

// Valid sizes that run for longer than any time bound (a queens board of 14
// and up, 21 and more Tower of Hanoi disks): an expectation file names them
// with a `values` entry "slow:LOW..HIGH".
struct SlowRange {
  long long low, high;
};

bool parse_slow(const std::string& value, SlowRange& range) {
  char tail = 0;
  return std::sscanf(value.c_str(), "slow:%lld..%lld%c", &range.low, &range.high, &tail) == 2;
}

// The integers successive "%d" reads take from `bytes`, up to the first read
// that fails; values beyond 32 bits saturate as the runtime's reads do.
std::vector<long long> integers_read(const std::string& bytes) {
  std::vector<long long> values;
  std::size_t i = 0;
  for (;;) {
    while (i < bytes.size() && is_space(bytes[i])) i++;
    const bool negative = i < bytes.size() && bytes[i] == '-';
    if (i < bytes.size() && (bytes[i] == '-' || bytes[i] == '+')) i++;
    const std::size_t digits = i;
    long long v = 0;
    for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; i++)
      v = std::min(v * 10 + (bytes[i] - '0'), 2147483648LL);
    if (i == digits) return values;
    values.push_back(negative ? -v : std::min(v, 2147483647LL));
  }
}

std::vector<Input> generate_all(const std::vector<Seed>& seeds,
                                const std::vector<std::string>& values, const Budget& budget);

bool asks_for_slow_size(const std::string& bytes, const std::vector<SlowRange>& slow) {
  for (long long v : integers_read(bytes))
    for (const auto& r : slow)
      if (v >= r.low && v <= r.high) return true;
  return false;
}

std::string repeated(const std::string& unit, std::size_t times, const std::string& separator) {
  std::string s;
  for (std::size_t i = 0; i < times; i++) {
    if (i > 0) s += separator;
    s += unit;
  }
  return s;
}

}  // namespace

std::vector<std::string> source_values(const std::string& source) {
  std::set<long long> found;
  std::size_t i = 0;
  while (i < source.size()) {
    const bool starts = source[i] >= '0' && source[i] <= '9' &&
                        (i == 0 || !(std::isalnum(static_cast<unsigned char>(source[i - 1])) ||
                                     source[i - 1] == '_' || source[i - 1] == '.'));
    if (!starts) {
      i++;
      continue;
    }
    std::size_t j = i;
    long long v = 0;
    while (j < source.size() && source[j] >= '0' && source[j] <= '9' && v < 100000000) {
      v = v * 10 + (source[j] - '0');
      j++;
    }
    const bool plain =
        j >= source.size() || !(std::isalnum(static_cast<unsigned char>(source[j])) ||
                                source[j] == '.' || source[j] == '_');
    // Small literals are covered by the fixed values; very large ones are not sizes.
    if (plain && v >= 2 && v <= 10000000) {
      found.insert(v - 1);
      found.insert(v);
      found.insert(v + 1);
    }
    i = j;
  }
  std::vector<std::string> values;
  for (long long v : found) values.push_back(std::to_string(v));
  // A program names itself in its rejections: the bounds of its valid input,
  // from the description the generator of valid inputs uses, join the literals.
  for (const auto& d : generate::descriptions())
    if (source.find('"' + d.program + '"') != std::string::npos)
      for (auto& v : generate::edge_values(d))
        if (std::find(values.begin(), values.end(), v) == values.end()) values.push_back(v);
  return values;
}

std::vector<std::size_t> cut_offsets(std::size_t length, std::size_t per_seed) {
  std::vector<std::size_t> offsets;
  if (length <= per_seed) {
    for (std::size_t k = 0; k < length; k++) offsets.push_back(k);
    return offsets;
  }
  // Long inputs: the start and the end in full, evenly spread in between.
  const std::size_t edge = per_seed / 4;
  for (std::size_t k = 0; k < edge; k++) offsets.push_back(k);
  const std::size_t middle = per_seed - 2 * edge;
  for (std::size_t k = 0; k < middle; k++)
    offsets.push_back(edge + (length - 2 * edge) * k / middle);
  for (std::size_t k = length - edge; k < length; k++) offsets.push_back(k);
  return offsets;
}

std::size_t last_token_start(const std::string& bytes) {
  auto tokens = token_spans(bytes);
  return tokens.empty() ? 0 : tokens.back().begin;
}

std::vector<Input> make_inputs(const std::vector<Seed>& seeds,
                               const std::vector<std::string>& values_and_slow,
                               const Budget& budget) {
  std::vector<std::string> values;
  std::vector<SlowRange> slow;
  for (const auto& v : values_and_slow) {
    SlowRange range;
    if (parse_slow(v, range))
      slow.push_back(range);
    else
      values.push_back(v);
  }
  std::vector<Input> out = generate_all(seeds, values, budget);
  std::erase_if(out, [&](const Input& in) { return asks_for_slow_size(in.bytes, slow); });
  return out;
}

namespace {

// Input that holds no number at all.
void add_no_numbers(Collector& add) {
  add.add("empty", "");
  for (const char* s : {"\n", " \t\r\v\f\n", "-", "+", "x\n", "0\n", "-0", "+5\n", "--5", "5-"})
    add.add("no numbers", s);
}

// Cut off at every byte; long inputs and many cases share a bounded sample.
void add_cuts(Collector& add, const std::vector<Seed>& seeds, const Budget& budget) {
  std::size_t total = 0;
  for (const auto& seed : seeds) total += seed.bytes.size();
  for (const auto& seed : seeds) {
    std::size_t share = seeds.empty() ? 0 : budget.cuts / seeds.size();
    std::size_t per_seed =
        total <= budget.cuts ? seed.bytes.size() : std::max<std::size_t>(share, 24);
    for (std::size_t k : cut_offsets(seed.bytes.size(), per_seed))
      add.add("cut off", seed.bytes.substr(0, k));
  }
}

// One value everywhere: counts, indices and data all at once.
void add_repeated_values(Collector& add, const std::vector<std::string>& all_values) {
  for (const auto& v : fixed_values) add.add("one value", v + "\n");
  for (const auto& v : all_values) add.add("one value everywhere", repeated(v, 48, " ") + "\n");
  for (const auto& v : odd_tokens) add.add("not a number", repeated(v, 8, " ") + "\n");
}

std::string with_token(const std::string& bytes, const Token& t, const std::string& value) {
  std::string s = bytes;
  s.replace(t.begin, t.end - t.begin, value);
  return s;
}

// One token of a valid input replaced. The leading tokens are usually counts
// or sizes: try every value there, sample the rest.
void add_token_replacements(Collector& add, const std::vector<const Seed*>& accepted,
                            const std::vector<std::string>& replacements, const Budget& budget,
                            Random& random) {
  std::size_t made = 0;
  for (const Seed* seed : accepted) {
    auto tokens = token_spans(seed->bytes);
    for (std::size_t t = 0; t < tokens.size() && t < 2; t++)
      for (const auto& v : replacements) {
        add.add("token replaced", with_token(seed->bytes, tokens[t], v));
        made++;
      }
    if (made >= budget.substitutions / 2) break;
  }
  for (std::size_t tries = 0; made < budget.substitutions && tries < budget.substitutions * 4;
       tries++) {
    if (accepted.empty()) break;
    const Seed* seed = accepted[random.below(accepted.size())];
    auto tokens = token_spans(seed->bytes);
    if (tokens.empty()) continue;
    const Token t = tokens[random.below(tokens.size())];
    add.add("token replaced",
            with_token(seed->bytes, t, replacements[random.below(replacements.size())]));
    made++;
  }
}

// Lines longer than any buffer (4095 characters is the longest line read).
void add_long_lines(Collector& add, const std::vector<const Seed*>& accepted) {
  for (std::size_t n : {4095u, 4096u, 4097u, 10000u}) {
    add.add("long line", std::string(n, 'a') + "\n");
    add.add("long line", std::string(n, 'a'));
  }
  add.add("long line", std::string(4096, 'a') + "\n" + std::string(4096, 'b') + "\n");
  add.add("long line", "1 " + std::string(5000, 'a') + "\n");
  add.add("long line", std::string(5000, '9') + "\n");
  add.add("long line", std::string(5000, ' '));
  add.add("long line", std::string(5000, '\n'));
  for (std::size_t i = 0; i < accepted.size() && i < 3; i++) {
    std::string s = accepted[i]->bytes;
    std::size_t nl = s.find('\n');
    s.insert(nl == std::string::npos ? s.size() : nl, std::string(5000, 'a'));
    add.add("long line", s);
    // The whole input again and again, past any count.
    std::string big;
    while (!accepted[i]->bytes.empty() && big.size() < 65536) big += accepted[i]->bytes;
    add.add("long input", big);
  }
}

// NUL and 0xFF, alone and inside valid inputs.
void add_nul_and_ff(Collector& add, const std::vector<const Seed*>& accepted) {
  for (const char* s : {"\xff", "\xff\xff\xff\xff", "\xff\n"}) add.add("NUL and 0xFF", s);
  add.add("NUL and 0xFF", std::string(1, '\0'));
  add.add("NUL and 0xFF", std::string(4, '\0'));
  add.add("NUL and 0xFF", std::string("1\0 2\n", 5));
  std::string all_bytes;
  for (int b = 0; b < 256; b++) all_bytes += static_cast<char>(b);
  add.add("NUL and 0xFF", all_bytes);
  for (std::size_t i = 0; i < accepted.size() && i < 4; i++) {
    const std::string& s = accepted[i]->bytes;
    for (char byte : {'\0', '\xff'})
      for (std::size_t at : {std::size_t{0}, s.size() / 2, s.size()}) {
        std::string t = s;
        t.insert(at, 1, byte);
        add.add("NUL and 0xFF", t);
      }
    std::string t = s;
    for (char& c : t)
      if (c == ' ') c = '\0';
    add.add("NUL and 0xFF", t);
  }
}

// Noise: arbitrary bytes, and number-like text with random signs.
void add_noise(Collector& add, Random& random) {
  for (int i = 0; i < 6; i++) {
    std::string s;
    for (int k = 0; k < 96; k++) s += static_cast<char>(random.below(256));
    add.add("random bytes", s);
    std::string n;
    const char alphabet[] = "0123456789  \n-";
    for (int k = 0; k < 240; k++) n += alphabet[random.below(sizeof alphabet - 1)];
    add.add("random numbers", n);
  }
}

std::vector<Input> generate_all(const std::vector<Seed>& seeds,
                                const std::vector<std::string>& values, const Budget& budget) {
  std::vector<Input> out;
  Collector add(out);
  add_no_numbers(add);
  add_cuts(add, seeds, budget);
  std::vector<std::string> all_values = fixed_values;
  all_values.insert(all_values.end(), values.begin(), values.end());
  add_repeated_values(add, all_values);

  std::vector<const Seed*> accepted;
  for (const auto& seed : seeds)
    if (seed.accepted) accepted.push_back(&seed);
  std::vector<std::string> replacements = all_values;
  replacements.insert(replacements.end(), odd_tokens.begin(), odd_tokens.end());
  // A fixed seed: the same inputs on every run and every machine.
  Random random(0x5eed1234abcdULL);
  add_token_replacements(add, accepted, replacements, budget, random);
  add_long_lines(add, accepted);
  add_nul_and_ff(add, accepted);
  add_noise(add, random);
  return out;
}

}  // namespace

}  // namespace hostile
