#include "compare_runs.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "options.hpp"
#include "results.hpp"

using common::UsageError;

namespace conformance {

namespace {

// One case on one side, its files merged.
struct Entry {
  std::string code;
  std::string program;  // the row its time is added to
  std::optional<double> exec_time;
};

using Side = std::map<std::string, Entry>;

Json read_or_throw(const std::string& path) {
  std::string error;
  auto file = read_results(path, error);
  if (!file) throw UsageError(error);
  return std::move(*file);
}

Entry entry_of(const Json& t) {
  Entry e{t["code"].get<std::string>(), t["name"].get<std::string>(), std::nullopt};
  if (t.contains("program") && t["program"].is_string()) e.program = t["program"];
  if (t.contains("metrics") && t["metrics"].is_object() && t["metrics"].contains("exec_time") &&
      t["metrics"]["exec_time"].is_number())
    e.exec_time = t["metrics"]["exec_time"].get<double>();
  return e;
}

// A file's cases: its tests, then the cases it names as not run.
std::vector<std::pair<std::string, Entry>> entries_of(const Json& file) {
  std::vector<std::pair<std::string, Entry>> entries;
  for (const auto& t : file["tests"]) entries.emplace_back(t["name"], entry_of(t));
  for (const auto& name : file["not_run"])
    entries.emplace_back(name, Entry{not_run_code, name, std::nullopt});
  return entries;
}

// Several runs of one side: each case by its minimum time; a case must have
// the same result in every file that ran it (one that did not run it takes
// the result of one that did). A name twice in one file is an error: two
// cases would be taken for one.
Side read_side(const std::vector<std::string>& paths) {
  Side side;
  std::map<std::string, std::string> source;
  for (const auto& path : paths) {
    std::set<std::string> in_file;
    for (auto& [name, e] : entries_of(read_or_throw(path))) {
      if (!in_file.insert(name).second) throw UsageError(name + " is twice in " + path);
      auto [at, fresh] = side.emplace(name, e);
      Entry& was = at->second;
      if (fresh || (was.code == not_run_code && e.code != not_run_code)) {
        was = e;
        source[name] = path;
        continue;
      }
      if (e.code == not_run_code) continue;
      if (was.code != e.code)
        throw UsageError(name + " is " + was.code + " in " + source[name] + " but " + e.code +
                         " in " + path);
      if (e.exec_time && (!was.exec_time || *e.exec_time < *was.exec_time))
        was.exec_time = e.exec_time;
    }
  }
  return side;
}

struct Changes {
  std::vector<std::string> fresh, fixed, other;
};

std::string code_or_absent(const Side& side, const std::string& name) {
  const auto at = side.find(name);
  return at == side.end() ? "absent" : at->second.code;
}

Changes changes_between(const Side& old_side, const Side& new_side) {
  std::vector<std::string> names;
  for (const auto& [name, e] : old_side) names.push_back(name);
  for (const auto& [name, e] : new_side)
    if (!old_side.contains(name)) names.push_back(name);
  std::sort(names.begin(), names.end());
  Changes c;
  for (const auto& name : names) {
    const std::string was = code_or_absent(old_side, name), now = code_or_absent(new_side, name);
    if (was == now) continue;
    const std::string line = name + ": " + was + " -> " + now;
    const bool failed_before = was != "absent" && failing_code(was);
    if (now != "absent" && failing_code(now) && !failed_before)
      c.fresh.push_back(line);
    else if (now == "PASS" && failed_before)
      c.fixed.push_back(line);
    else
      c.other.push_back(line);
  }
  return c;
}

void print_list(const char* title, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  std::printf("%s (%zu):\n", title, lines.size());
  for (const auto& line : lines) std::printf("  %s\n", line.c_str());
}

// Seconds per program over the cases timed on both sides.
std::map<std::string, std::pair<double, double>> program_times(const Side& o, const Side& n) {
  std::map<std::string, std::pair<double, double>> times;
  for (const auto& [name, e] : n) {
    const auto at = o.find(name);
    if (at == o.end() || !e.exec_time || !at->second.exec_time) continue;
    auto& t = times[e.program];
    t.first += *at->second.exec_time;
    t.second += *e.exec_time;
  }
  return times;
}

void print_times(const Side& o, const Side& n, double threshold) {
  double log_sum = 0;
  int count = 0;
  std::printf("exec_time of the programs above %g ms (seconds):\n", threshold * 1000);
  for (const auto& [program, t] : program_times(o, n)) {
    if (std::max(t.first, t.second) < threshold || t.first <= 0 || t.second <= 0) continue;
    const double ratio = t.second / t.first;
    std::printf("  %-40s %10.6f %10.6f %8.4f\n", program.c_str(), t.first, t.second, ratio);
    log_sum += std::log(ratio);
    count++;
  }
  if (count == 0)
    std::printf("no program above %g ms: no geometric mean\n", threshold * 1000);
  else
    std::printf("geometric mean of %d ratios (new/old): %.6f\n", count, std::exp(log_sum / count));
}

struct CompareArgs {
  std::vector<std::string> old_files, new_files;
  double threshold = 0.010;
};

CompareArgs parse_compare(int argc, char** argv) {
  CompareArgs a;
  std::vector<std::string> files;
  bool split = false;
  for (int i = 1; i < argc; i++) {
    const std::string word = argv[i];
    if (word == "--threshold") {
      if (++i >= argc) throw UsageError("--threshold needs a value (MS)");
      a.threshold = common::parse_seconds("--threshold", argv[i]) / 1000.0;
    } else if (word == "vs") {
      if (split) throw UsageError("vs given twice");
      split = true;
      a.old_files = std::move(files);
      files.clear();
    } else if (word.starts_with("-")) {
      throw UsageError("unknown option " + word);
    } else {
      files.push_back(word);
    }
  }
  if (!split && files.size() == 2) a.old_files = {files[0]}, files.erase(files.begin());
  a.new_files = std::move(files);
  if (a.old_files.empty() || a.new_files.empty())
    throw UsageError("compare takes OLD.json NEW.json, or OLD.json... vs NEW.json...");
  return a;
}

}  // namespace

int compare_command(int argc, char** argv) {
  try {
    const CompareArgs a = parse_compare(argc, argv);
    const Side old_side = read_side(a.old_files), new_side = read_side(a.new_files);
    const Changes c = changes_between(old_side, new_side);
    print_list("new failures", c.fresh);
    print_list("fixed", c.fixed);
    print_list("other changes", c.other);
    if (c.fresh.empty() && c.fixed.empty() && c.other.empty())
      std::printf("no case changed its result\n");
    print_times(old_side, new_side, a.threshold);
    return c.fresh.empty() ? 0 : 1;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "conformance compare: %s\n", e.what());
  } catch (const Json::exception& e) {
    std::fprintf(stderr, "conformance compare: a results file does not hold: %s\n", e.what());
  }
  return 2;
}

namespace {

bool generated(const Json& t) {
  return t.contains("kind") && t["kind"] == "generated" && t.contains("shard");
}

// Two shards of one program's generated inputs: their counts added up.
void add_shard(Json& into, const Json& t) {
  for (const char* count : {"agreed", "differed"})
    into["metrics"][count] = into["metrics"][count].get<long>() + t["metrics"][count].get<long>();
  into["refused"] = into["refused"].get<long>() + t["refused"].get<long>();
  for (const auto& saved : t["saved"]) into["saved"].push_back(saved);
  into["shard"] = into["shard"].get<std::string>() + "," + t["shard"].get<std::string>();
  // The program's time is its runs' in every shard (files of older runners had none).
  if (into.contains("elapsed") && t.contains("elapsed"))
    into["elapsed"] = into["elapsed"].get<double>() + t["elapsed"].get<double>();
  const long differed = into["metrics"]["differed"];
  into["code"] = differed == 0 ? "PASS" : "FAIL";
  into["output"] = std::to_string(into["metrics"]["agreed"].get<long>()) + " agreed, " +
                   std::to_string(differed) + " differed\n";
}

// The files joined so far: their tests, the cases they did not run, and
// where each name came from (its test's index; none for a case not run).
struct Joined {
  Json tests = Json::array();
  Json not_run = Json::array();
  std::map<std::string, std::pair<std::string, std::optional<std::size_t>>> seen;
  std::optional<Json> build;  // while every file names the same build
  bool builds_agree = true;
};

void refuse_twice(const std::string& name, const std::string& first, const std::string& path) {
  if (first == path) throw UsageError(name + " is twice in " + path);
  throw UsageError(name + " is in both " + first + " and " + path);
}

// Joins one file into `j`: a case twice (run or not) is an error, a program's
// generated inputs from two different shards are added up.
void join(Joined& j, Json file, const std::string& path) {
  for (auto& t : file["tests"]) {
    const std::string name = t["name"];
    const auto [at, fresh] = j.seen.emplace(name, std::pair(path, j.tests.size()));
    if (fresh) {
      j.tests.push_back(std::move(t));
      continue;
    }
    if (!at->second.second) refuse_twice(name, at->second.first, path);
    Json& first = j.tests[*at->second.second];
    if (!generated(first) || !generated(t) || first["shard"] == t["shard"])
      refuse_twice(name, at->second.first, path);
    add_shard(first, t);
  }
  for (auto& name : file["not_run"]) {
    const auto [at, fresh] = j.seen.emplace(name, std::pair(path, std::nullopt));
    if (!fresh) refuse_twice(name, at->second.first, path);
    j.not_run.push_back(std::move(name));
  }
  const Json build = file.contains("build") ? file["build"] : Json();
  if (!j.build) j.build = build;
  j.builds_agree = j.builds_agree && *j.build == build;
}

std::pair<std::vector<std::string>, std::string> parse_merge(int argc, char** argv) {
  std::vector<std::string> files;
  std::string out;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "-o") == 0) {
      if (++i >= argc) throw UsageError("-o needs a value (FILE)");
      out = argv[i];
    } else if (argv[i][0] == '-') {
      throw UsageError(std::string("unknown option ") + argv[i]);
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty() || out.empty()) throw UsageError("merge takes A.json B.json... -o ALL.json");
  return {files, out};
}

}  // namespace

int merge_command(int argc, char** argv) {
  try {
    const auto [files, out] = parse_merge(argc, argv);
    Joined j;
    double elapsed = 0;  // the shards ran side by side: the longest
    for (const auto& path : files) {
      Json file = read_or_throw(path);
      if (file.contains("elapsed") && file["elapsed"].is_number())
        elapsed = std::max(elapsed, file["elapsed"].get<double>());
      join(j, std::move(file), path);
    }
    std::stable_sort(j.tests.begin(), j.tests.end(),
                     [](const Json& a, const Json& b) { return a["name"] < b["name"]; });
    std::sort(j.not_run.begin(), j.not_run.end());
    // Each shard's diagnosis explains its own failures only: none is kept.
    Json keys = {{"not_run", std::move(j.not_run)}};
    if (j.builds_agree && j.build && !j.build->is_null()) keys["build"] = *j.build;
    if (write_results(out, elapsed, std::move(j.tests), std::move(keys))) return 0;
    std::fprintf(stderr, "conformance merge: cannot write %s\n", out.c_str());
  } catch (const UsageError& e) {
    std::fprintf(stderr, "conformance merge: %s\n", e.what());
  } catch (const Json::exception& e) {
    std::fprintf(stderr, "conformance merge: a results file does not hold: %s\n", e.what());
  }
  return 2;
}

}  // namespace conformance
