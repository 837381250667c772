// The valid input of each program that reads input: the shape (how `write`
// strings the values together) and the range of every value. The ranges are
// those each program accepts; where run time is the tighter bound, the field
// says so.
#include <algorithm>
#include <climits>
#include <stdexcept>

#include "generate.hpp"
#include "writer.hpp"

namespace generate {

const Field& Description::field(const std::string& name) const {
  for (const auto& f : fields)
    if (f.name == name) return f;
  throw std::logic_error(program + " has no field " + name);
}

namespace {

constexpr double int_min = INT_MIN, int_max = INT_MAX;

Field ints(const std::string& name, double lo = int_min, double hi = int_max) {
  Field f;
  f.name = name;
  f.lo = lo;
  f.hi = hi;
  return f;
}

Field bounded(const std::string& name, double lo, double hi, const std::string& why) {
  Field f = ints(name, lo, hi);
  f.time_bound = why;
  return f;
}

// A range narrowed by the input's shape (a length, a terminator), not by a refusal.
Field shaped(Field f, const std::string& why) {
  f.shape_bound = why;
  return f;
}

Field floats(const std::string& name, double lo, double hi, bool nan, bool inf) {
  Field f;
  f.name = name;
  f.kind = Kind::floating;
  f.lo = lo;
  f.hi = hi;
  f.nan = nan;
  f.inf = inf;
  return f;
}

constexpr double float_max = 0x1.fffffep+127;

// `count` integers of any value and nothing else.
Description plain(const std::string& program, int count) {
  return {program,
          std::to_string(count) + (count == 1 ? " integer" : " integers"),
          {ints("value")},
          [count](Writer& w) {
            for (int i = 0; i < count; i++) w.value("value");
          }};
}

// A count and then, for each counted item, what `item` writes.
Description counted(const std::string& program, const std::string& shape, std::vector<Field> fields,
                    std::function<void(Writer&)> item) {
  return {program, shape, std::move(fields), [item](Writer& w) {
            for (long long n = w.value("count"); n > 0; n--) item(w);
          }};
}

void add_numeric(std::vector<Description>& all) {
  all.push_back(
      counted("float_calculus", "a count, then that many pairs x y of floats",
              {bounded("count", 0, 4, "each pair integrates twice"),
               floats("x", -1e4, 1e4, false, false), floats("y", -1e4, 1e4, false, false)},
              [](Writer& w) {
                w.floating("x");
                w.floating("y");
              }));
  // A positive x below 2^-60 has a NaN logarithm and so a NaN power exponent;
  // above 1e4 the quadrature of the logarithm takes long.
  all.back().fields[1].min_magnitude = 0x1p-60;
  all.back().fields[1].time_bound = "the logarithm's quadrature grows with x";
  all.back().fields[2].time_bound = "the logarithm's quadrature grows with y";

  all.push_back({"dct_round_trip",
                 "rows n, columns m, then n * m floats",
                 {ints("rows", 0, 8), ints("columns", 0, 8), ints("columns of no rows", 0, 8),
                  floats("value", -float_max, float_max, true, true)},
                 [](Writer& w) {
                   // Without rows the column count is never used: any is valid.
                   const long long n = w.value("rows");
                   const long long m = w.value(n > 0 ? "columns" : "columns of no rows");
                   for (long long k = 0; n > 0 && m > 0 && k < n * m; k++) w.floating("value");
                 }});
  all.push_back({"float_semantics_check",
                 "a count and that many floats, then nine floats",
                 {ints("count", int_min, 10), floats("value", -float_max, float_max, true, true)},
                 [](Writer& w) {
                   for (long long n = w.value("count"); n > 0; n--) w.floating("value");
                   for (int k = 0; k < 9; k++) w.floating("value");
                 }});
}

// Pixels of a w x h greymap after its header. One time in ten the header
// is one the program answers with status 255 (a wrong magic, a side above
// 1024 or a maximum other than 255); otherwise the maximum is 255.
void image_body(Writer& w) {
  static const char* const wrong_magic[] = {"P5", "P3", "p2", "2P", "P 2", "PP"};
  Random& r = w.random();
  const int fault = r.percent(10) ? static_cast<int>(r.below(4)) + 1 : 0;
  w.text(fault == 1 ? wrong_magic[r.below(6)] : "P2");
  w.separator();
  const auto side = [&](int which, const char* field) {
    if (fault != which) return w.value(field);
    const long long too_large = r.between(1025, int_max);
    w.integer(too_large);
    w.separator();
    return too_large;
  };
  const long long width = side(2, "width");
  const long long height = side(3, "height");
  long long maximum = 255;
  if (fault == 4) maximum = r.percent(50) ? r.between(0, 254) : r.between(256, 65535);
  w.integer(maximum);
  w.separator();
  if (fault == 2 || fault == 3) return;  // pixels of such a side would not be read
  for (long long k = 0; width > 0 && height > 0 && k < width * height; k++) w.value("pixel");
}

void add_image(std::vector<Description>& all) {
  Field angle = floats("angle", -float_max, float_max, true, false);
  all.push_back({"image_rotate",
                 "an angle, one white-space byte, then a P2 greymap: width, height, 255, pixels; "
                 "one in ten a header answered with status 255",
                 {angle, bounded("width", -2, 9, "pixels are rotated one by one"),
                  bounded("height", -2, 9, "pixels are rotated one by one"), ints("pixel")},
                 [](Writer& w) {
                   // The program reads exactly one byte after the angle.
                   w.floating("angle", false);
                   w.text(std::string(1, " \n\t"[w.random().below(3)]));
                   image_body(w);
                 }});
}

// Edges with at most 10 adjacency entries per node (a self-loop takes two);
// the count written is that of the edges that fitted.
void flow_edges(Writer& w) {
  int room[10] = {};
  const bool wide = w.random().percent(30);
  const long long wanted = w.pick("edges");
  std::vector<std::pair<long long, long long>> edges;
  for (long long m = wanted; m > 0; m--) {
    long long u = w.pick("node"), v = w.pick("node");
    if (wide) u = 1;  // many edges out of the source: the total wraps past 32 bits
    const int need_u = u == v ? 2 : 1;
    if (room[u] + need_u > 10 || room[v] + 1 > 10) break;
    room[u] += need_u;
    room[v] += u == v ? 0 : 1;
    edges.emplace_back(u, v);
  }
  w.integer(wanted <= 0 ? wanted : static_cast<long long>(edges.size()));
  w.separator();
  for (const auto& [u, v] : edges) {
    w.integer(u);
    w.separator();
    w.integer(v);
    w.separator();
    w.value(wide ? "large capacity" : "capacity");
  }
}

void add_graphs(std::vector<Description>& all) {
  Field sink = ints("sink");
  sink.except = {1};
  const Field edges = shaped(ints("edges", int_min, 50), "ten nodes of ten entries hold 50 edges");
  const Field large = bounded("large capacity", int_max - 8, int_max,
                              "only on edges all leaving the source, where paths are one edge");
  all.push_back({"flow_network",
                 "sink n, edge count m, then m triples u v capacity; the edges stop when a "
                 "node's adjacency entries would run out",
                 {sink, edges, ints("node", 0, 9),
                  bounded("capacity", -3, 1000, "augmenting paths can grow with capacity"), large},
                 [](Writer& w) {
                   // The sink is the last node of interest most of the time.
                   if (w.random().percent(80))
                     w.integer(w.random().between(2, 9)), w.separator();
                   else
                     w.value("sink");
                   flow_edges(w);
                 }});
  all.push_back({"shortest_paths",
                 "node count n, edge count m, then m triples u v weight with u, v in 1..n, "
                 "one end in ten any node of the matrix",
                 {ints("nodes", 0, 15), bounded("edges", int_min, 40, "input size"), ints("weight"),
                  ints("node", 1, 15)},
                 [](Writer& w) {
                   const long long n = w.value("nodes");
                   const Field& node = w.description().field("node");
                   for (long long m = w.value("edges", n < 1 ? 0 : LLONG_MAX); m > 0; m--) {
                     for (int end = 0; end < 2; end++) {
                       // Nodes above n are stored too, and node 0's row is used.
                       const bool anywhere = w.random().percent(10);
                       w.integer(
                           w.random().between(static_cast<long long>(node.lo),
                                              anywhere ? static_cast<long long>(node.hi) : n));
                       w.separator();
                     }
                     w.value("weight");
                   }
                 }});
  // Whether a cell off the grid is refused depends on the node it names and on
  // whether the answer is found yet: no range says that, so only the grid's.
  const Field cell = shaped(ints("cell", 1, 4), "cells off the grid are valid only in some runs");
  all.push_back({"percolation_check", "ten pairs row column", {cell}, [](Writer& w) {
                   for (int k = 0; k < 20; k++) w.value("cell");
                 }});
  all.push_back(counted("queens_solutions", "a count, then that many board sizes",
                        {bounded("count", int_min, 3, "every size prints its placements"),
                         bounded("size", int_min, 10, "placements grow about sixfold per size")},
                        [](Writer& w) { w.value("size"); }));
  all.push_back({"topological_order",
                 "five lists of successors 1..9, each closed by 0",
                 {shaped(ints("successor", 1, 9), "0 closes a list"),
                  shaped(bounded("list length", 0, 6, "input size"), "a length is not negative")},
                 [](Writer& w) {
                   for (int node = 1; node <= 5; node++) {
                     for (long long k = w.pick("list length"); k > 0; k--) w.value("successor");
                     w.integer(0);
                     w.separator();
                   }
                 }});
}

void add_algorithms(std::vector<Description>& all) {
  all.push_back(plain("gcd_loop", 2));
  all.push_back(counted("gcd_pairs", "a count t, then t pairs",
                        {bounded("count", int_min, 6, "input size"), ints("value")}, [](Writer& w) {
                          w.value("value");
                          w.value("value");
                        }));
  all.push_back(counted("hanoi_moves", "a count t, then t disk counts",
                        {bounded("count", int_min, 3, "output size"),
                         bounded("disks", 1, 16, "the moves double with each disk")},
                        [](Writer& w) { w.value("disks"); }));
  Field nonzero = ints("value"), marker = ints("marker");
  nonzero.except = marker.except = {0};
  all.push_back({"lcm_status", "two non-zero integers", {nonzero}, [](Writer& w) {
                   w.value("value");
                   w.value("value");
                 }});
  all.push_back({"pair_input_sum_mod",
                 "pairs of a non-zero marker and a value, then a 0 marker",
                 {shaped(ints("pairs", 0, 100), "a number of pairs is not negative"),
                  shaped(marker, "a 0 marker closes the pairs"), ints("value")},
                 [](Writer& w) {
                   for (long long n = w.pick("pairs"); n > 0; n--) {
                     w.value("marker");
                     w.value("value");
                   }
                   w.integer(0);
                   w.separator();
                 }});
  all.push_back(plain("reverse_echo", 200));
}

void add_language(std::vector<Description>& all) {
  all.push_back(plain("chained_locals_print", 1));
  all.push_back({"equal_not_three", "a, b", {ints("value")}, [](Writer& w) {
                   const long long a = w.value("value");
                   // Equal values half of the time: the second test runs only then.
                   if (w.random().percent(50)) {
                     w.integer(w.random().percent(30) ? 3 : a);
                     w.separator();
                   } else {
                     w.value("value");
                   }
                 }});
  Field divisor = ints("c");
  divisor.except = {0};
  all.push_back(
      {"global_expr_conditions", "a, b, c, d, e", {ints("value"), divisor}, [](Writer& w) {
         w.value("value");
         w.value("value");
         w.value("c");
         w.value("value");
         w.value("value");
       }});
  all.push_back(plain("nested_call_chain", 14));
  all.push_back(plain("short_circuit_input", 4));
}

void add_sorting(std::vector<Description>& all) {
  all.push_back(plain("binary_search_ten", 1));
  all.push_back(plain("linear_search_ten", 1));
  all.push_back(counted("merge_sort_list", "a count, then that many integers",
                        {ints("count", int_min, 100), ints("value")},
                        [](Writer& w) { w.value("value"); }));
  all.push_back(plain("ordered_insert", 1));
}

// Bytes other than digits separate numbers; the end of input may end the last.
void digit_separator(Writer& w, bool at_end) {
  static const std::string forms[] = {
      " ", "\n", "-", ", ", "\t", "x", "+", "\xff", std::string(1, '\0')};
  if (at_end && w.random().percent(40)) return;
  w.text(forms[w.random().below(9)]);
}

void digits(Writer& w, bool at_end) {
  const long long length = w.pick("digits");
  if (length > 10 || w.random().percent(20)) {
    std::string s;  // wraps at 32 bits as it is summed
    for (long long k = 0; k < length; k++) s += static_cast<char>('0' + w.random().below(10));
    w.text(s);
  } else {
    w.text((w.random().percent(10) ? "00" : "") + std::to_string(w.pick("number")));
  }
  digit_separator(w, at_end);
}

std::string line(Writer& w, long long length) {
  const char* alphabets[] = {"ab", "abc", "aab", "xyz \t\r"};
  const std::string alphabet = alphabets[w.random().below(4)];
  std::string s;
  for (long long k = 0; k < length; k++) {
    // Now and then any byte but the newline.
    const auto byte = w.random().percent(3) ? 1 + w.random().below(255) : 10;
    s += byte != 10 ? static_cast<char>(byte) : alphabet[w.random().below(alphabet.size())];
  }
  return s;
}

void add_text(std::vector<Description>& all) {
  all.push_back({"char_digit_io",
                 "a count, then that many numbers, as digits separated by any other bytes",
                 {shaped(bounded("count", 0, 20, "input size"), "digits spell no sign"),
                  shaped(ints("number", 0, int_max), "digits spell no sign"),
                  shaped(bounded("digits", 1, 24, "input size"), "a number has a digit")},
                 [](Writer& w) {
                   if (w.random().percent(20)) digit_separator(w, false);
                   const long long n = w.pick("count");
                   w.text(std::to_string(n));
                   digit_separator(w, n == 0);
                   for (long long k = 0; k < n; k++) digits(w, k == n - 1);
                 }});
  all.push_back({"kmp_search",
                 "a pattern line, then a text line (its newline may be missing)",
                 {shaped(ints("pattern length", 0, 4095), "no negative length"),
                  shaped(ints("text length", 0, 4095), "no negative length")},
                 [](Writer& w) {
                   const long long p =
                       w.random().percent(80) ? w.random().between(0, 6) : w.pick("pattern length");
                   const long long t =
                       w.random().percent(80) ? w.random().between(0, 40) : w.pick("text length");
                   std::string text = line(w, t);
                   std::string pattern = line(w, p);
                   // A pattern cut from the text finds a match.
                   if (w.random().percent(50) && t > 0) {
                     const auto at = w.random().below(static_cast<std::uint64_t>(t));
                     pattern = text.substr(at, w.random().below(8) + 1);
                   }
                   w.text(pattern + "\n" + text);
                   if (t == 0 || w.random().percent(70)) w.text("\n");
                 }});
  all.push_back(plain("swap_two", 2));
}

// Ranges that newer builds accept and older ones refuse.
void widen(std::vector<Description>& all) {
  for (auto& d : all) {
    if (d.program == "float_calculus") {
      for (auto* f : {&d.fields[1], &d.fields[2]}) f->nan = true;
      d.fields[1].min_magnitude = 0;
    } else if (d.program == "dct_round_trip") {
      d.fields[0].lo = d.fields[1].lo = d.fields[2].lo = int_min;
      d.fields[2].hi = int_max;
    } else if (d.program == "shortest_paths") {
      d.fields[0].lo = int_min + 1;  // int_min: the rounds would never end
      d.fields[3].lo = 0;
    } else if (d.program == "lcm_status") {
      // A zero with a negative partner is never a divisor.
      d.fields[0].except.clear();
      d.write = [](Writer& w) {
        const long long a = w.value("value");
        const long long b = w.pick("value");
        w.integer(a == 0 && b >= 0 ? -1 - b : b == 0 && a >= 0 ? 1 : b);
        w.separator();
      };
    }
  }
}

std::vector<Description> build(bool wider) {
  std::vector<Description> all;
  add_numeric(all);
  add_image(all);
  add_graphs(all);
  add_algorithms(all);
  add_language(all);
  add_sorting(all);
  add_text(all);
  if (wider) widen(all);
  std::sort(all.begin(), all.end(),
            [](const Description& a, const Description& b) { return a.program < b.program; });
  return all;
}

}  // namespace

const std::vector<Description>& descriptions(const Coverage& coverage) {
  static const std::vector<Description> usual = build(false), wider = build(true);
  return coverage.wider ? wider : usual;
}

const Description* find_description(const std::string& program, const Coverage& coverage) {
  for (const auto& d : descriptions(coverage))
    if (d.program == program) return &d;
  return nullptr;
}

std::string generate_input(const Description& d, std::uint64_t seed) {
  Writer w(d, seed);
  d.write(w);
  return w.take();
}

std::vector<std::string> edge_values(const Description& d) {
  std::vector<std::string> values;
  for (const auto& f : d.fields) {
    if (f.kind != Kind::integer) continue;
    for (double v : {f.lo - 1, f.lo, f.hi, f.hi + 1}) {
      std::string s = std::to_string(static_cast<long long>(v));
      if (std::find(values.begin(), values.end(), s) == values.end()) values.push_back(s);
    }
  }
  return values;
}

}  // namespace generate
