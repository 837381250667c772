#include "manifest.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

namespace conformance {

namespace {

// The order cmake/SuiteManifest.cmake writes them in.
constexpr std::array<const char*, 9> known_fields = {
    "compiler",      "target",     "build_type", "suite_flags", "program_flags",
    "runtime_flags", "link_flags", "linking",    "source"};

// Far more than a manifest holds; a stray huge file is not read whole.
constexpr std::size_t max_manifest_bytes = 64u << 10;

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string printable(std::string s) {
  for (auto& c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return s;
}

bool valid_key(const std::string& key) {
  return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// Reads at most max_manifest_bytes; false when the file cannot be opened.
bool read_head(const std::string& path, std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  text.resize(max_manifest_bytes);
  text.resize(std::fread(text.data(), 1, text.size(), f));
  std::fclose(f);
  return true;
}

}  // namespace

BuildRows parse_manifest(const std::string& text) {
  BuildRows found;
  std::set<std::string> seen;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string key = trim(line.substr(0, colon));
    const std::string value = trim(line.substr(colon + 1));
    if (!valid_key(key) || value.empty() || !seen.insert(key).second) continue;
    found.emplace_back(key, printable(value));
  }
  BuildRows rows;
  for (const char* field : known_fields)
    for (const auto& row : found)
      if (row.first == field) rows.push_back(row);
  for (const auto& row : found)
    if (std::find(known_fields.begin(), known_fields.end(), row.first) == known_fields.end())
      rows.push_back(row);
  return rows;
}

void read_build(const std::string& bin_dir, RunTotals& totals) {
  const std::string path = bin_dir + "/" + manifest_name;
  std::string text;
  if (!read_head(path, text)) {
    totals.build_note = "no manifest (" + std::string(manifest_name) + ") in " + bin_dir +
                        ": a build made some other way, judged all the same";
    return;
  }
  totals.build = parse_manifest(text);
  if (totals.build.empty())
    totals.build_note = path + " names no field: the build is judged all the same";
}

std::string build_summary(const std::string& bin_dir) {
  RunTotals totals;
  read_build(bin_dir, totals);
  if (totals.build.empty()) return "no manifest (" + std::string(manifest_name) + ") in " + bin_dir;
  std::string compiler = "unknown compiler", flags = "unknown flags";
  for (const auto& [field, value] : totals.build) {
    if (field == "compiler") compiler = value;
    if (field == "program_flags") flags = value;
  }
  return compiler + ", flags " + flags;
}

}  // namespace conformance
