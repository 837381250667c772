#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cases.hpp"
#include "driver.hpp"
#include "files.hpp"

namespace fs = std::filesystem;

namespace hostile {

namespace {

std::vector<std::string> split_spaces(const std::string& s) {
  std::vector<std::string> parts;
  std::istringstream in(s);
  for (std::string word; in >> word;) parts.push_back(word);
  return parts;
}

}  // namespace

std::vector<Program> read_list(const std::string& path, const std::string& only) {
  std::vector<Program> programs;
  std::string text;
  if (!common::read_file(path, text)) return programs;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    auto words = split_spaces(line);
    if (words.size() < 2 || words[0][0] == '#') continue;
    if (!only.empty() && words[0] != only) continue;
    programs.push_back({words[0], words[1], {words.begin() + 2, words.end()}});
  }
  return programs;
}

namespace {

std::vector<Seed> load_seeds(const Options& o, const Program& p) {
  std::vector<Seed> seeds;
  for (const auto& c : common::load_cases(o.cases_dir, "^" + p.name + "$").cases) {
    Seed seed;
    seed.name = c.name;
    if (c.has_input && !common::read_file(c.base + ".in", seed.bytes)) continue;
    seed.accepted = c.err && *c.err == normal_stderr;
    seeds.push_back(std::move(seed));
  }
  return seeds;
}

// Every file below the folders, leaving out hidden ones and notes.
std::vector<Input> replay_inputs(const std::vector<std::string>& dirs) {
  std::vector<Input> inputs;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& dir : dirs)
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (name.starts_with(".")) {
        if (it->is_directory(ec)) it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file(ec) && name != "README.txt") files.push_back(it->path());
    }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    Input in;
    in.family = "replay " + f.parent_path().filename().string();
    if (common::read_file(f.string(), in.bytes)) inputs.push_back(std::move(in));
  }
  return inputs;
}

}  // namespace

bool make_plan(const Options& o, const Program& p, Plan& plan) {
  if (!o.replay.empty()) {
    plan.inputs = replay_inputs(o.replay);
    return true;
  }
  plan.seeds = load_seeds(o, p);
  std::string text;
  const std::string expect_path = (fs::path(o.expect_dir) / (p.name + ".txt")).string();
  if (common::read_file(expect_path, text)) {
    std::string error;
    if (!parse_expectations(text, plan.expect, error)) {
      std::printf("FAIL %s: %s: %s\n", p.name.c_str(), expect_path.c_str(), error.c_str());
      return false;
    }
  } else {
    std::printf("note %s: no written expectations (%s)\n", p.name.c_str(), expect_path.c_str());
  }
  std::vector<std::string> values = plan.expect.values;
  for (const auto& src : p.sources) {
    std::string source;
    if (common::read_file(src, source))
      for (auto& v : source_values(source)) values.push_back(v);
  }
  plan.inputs = make_inputs(plan.seeds, values, Budget{});
  for (const auto& e : plan.expect.entries) plan.inputs.push_back({"written", e.input});
  return true;
}

}  // namespace hostile
