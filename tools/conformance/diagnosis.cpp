#include "diagnosis.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace conformance {

namespace {

using nlohmann::json;

// A fault is named only when most of the cases it fails (of those that ran)
// fail here too, and it explains more failures than it wrongly predicts.
constexpr double least_share_failing = 0.75;
// Below this many of its cases, a match is said to be thin.
constexpr std::size_t thin_evidence = 3;

std::set<std::string> case_list(const json& list, const std::string& where) {
  if (!list.is_array()) throw std::runtime_error(where + " is not a list of cases");
  std::set<std::string> out;
  for (const auto& c : list) {
    if (!c.is_string()) throw std::runtime_error(where + " holds a case that is not a string");
    out.insert(c.get<std::string>());
  }
  return out;
}

// One fault compared with the run.
struct Match {
  const Signature* fault = nullptr;
  std::size_t predicted = 0;  // its failing cases that ran here
  std::size_t failing = 0;    // of those, failing here
  std::size_t same_way = 0;   // of those, with the same kind of difference
  std::size_t passes = 0;     // its passing cases that ran here
  std::size_t passes_failing = 0;
  std::set<std::string> explains;  // failing here, as it fails them

  double share() const { return predicted ? double(failing) / double(predicted) : 0.0; }
  bool strong() const { return predicted > 0 && share() >= least_share_failing; }
};

Match compare(const Signature& f, const Observed& o) {
  Match m;
  m.fault = &f;
  for (const auto& [name, kind] : f.fails) {
    if (!o.ran.count(name)) continue;  // not run here: counts neither way
    m.predicted++;
    const auto it = o.failed.find(name);
    if (it == o.failed.end()) continue;
    m.failing++;
    if (it->second == kind) {
      m.same_way++;
      m.explains.insert(name);
    }
  }
  // Both sets are sorted: one walk through them finds the cases in both.
  auto mine = f.cases.begin();
  for (const auto& name : o.ran) {
    while (mine != f.cases.end() && *mine < name) ++mine;
    if (mine == f.cases.end()) break;
    if (*mine != name || f.fails.count(name)) continue;
    m.passes++;
    if (o.failed.count(name)) m.passes_failing++;
  }
  return m;
}

std::string plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Faults the run cannot tell apart from m (the same cases fail the same way)
// are named on its line.
std::string evidence(const Match& m, const std::vector<const Match*>& alike, std::size_t newly,
                     std::size_t failures) {
  std::ostringstream line;
  line << "likely cause: " << m.fault->name << " (" << m.fault->what << ")";
  for (const Match* a : alike)
    line << " or, alike here, " << a->fault->name << " (" << a->fault->what << ")";
  line << ": " << m.failing << " of the " << plural(m.predicted, "case", "cases")
       << " it fails fail here";
  if (m.same_way != m.failing) line << " (" << m.same_way << " the same way)";
  if (m.passes > 0) line << ", and " << m.passes_failing << " of the " << m.passes << " it passes";
  line << "; explains " << newly << " of the " << plural(failures, "failure", "failures");
  if (m.predicted < thin_evidence)
    line << " (thin evidence: " << plural(m.predicted, "case", "cases") << ")";
  return line.str();
}

}  // namespace

std::vector<Signature> parse_signatures(const std::string& text) {
  const json doc = json::parse(text, nullptr, false);
  if (doc.is_discarded() || !doc.is_object() || !doc.contains("faults") ||
      !doc["faults"].is_array())
    throw std::runtime_error("not a signatures file (an object with a \"faults\" list)");
  const std::set<std::string> common_cases =
      doc.contains("cases") ? case_list(doc["cases"], "\"cases\"") : std::set<std::string>{};
  std::vector<Signature> out;
  for (const auto& f : doc["faults"]) {
    if (!f.is_object() || !f.contains("name") || !f["name"].is_string())
      throw std::runtime_error("a fault without a name");
    Signature s;
    s.name = f["name"].get<std::string>();
    s.what = f.value("what", "");
    s.cases = f.contains("cases") ? case_list(f["cases"], s.name + "'s cases") : common_cases;
    if (!f.contains("fails") || !f["fails"].is_object())
      throw std::runtime_error(s.name + " has no \"fails\" object");
    for (const auto& [name, kind] : f["fails"].items()) {
      const auto d = kind.is_string() ? difference_from_name(kind.get<std::string>())
                                      : std::optional<Difference>{};
      if (!d || *d == Difference::none)
        throw std::runtime_error(s.name + ": " + name + " has no known kind of difference");
      s.fails[name] = *d;
      s.cases.insert(name);
    }
    out.push_back(std::move(s));
  }
  return out;
}

std::vector<Signature> read_signatures(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return parse_signatures(text.str());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

std::string signatures_beside(const std::string& cases_dir) {
  std::filesystem::path dir = std::filesystem::path(cases_dir).lexically_normal();
  if (dir.filename().empty()) dir = dir.parent_path();  // "cases/"
  return (dir.parent_path() / "faults" / "signatures.json").string();
}

Observed observe(const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts) {
  Observed o;
  for (std::size_t i = 0; i < cases.size() && i < verdicts.size(); i++) {
    if (!verdicts[i].finished) continue;
    const std::string name = cases[i].program + "/" + cases[i].name;
    o.ran.insert(name);
    if (!verdicts[i].passed) {
      const Difference d = verdicts[i].difference;
      o.failed[name] = d == Difference::none ? Difference::bytes : d;
    }
  }
  return o;
}

std::string observed_json(const Observed& o) {
  json fails = json::object();
  for (const auto& [name, kind] : o.failed) fails[name] = difference_name(kind);
  json doc = {{"cases", o.ran}, {"fails", fails}};
  return doc.dump(1) + "\n";
}

std::vector<std::string> diagnose(const Observed& o, const std::vector<Signature>& faults) {
  if (o.failed.empty()) return {};
  std::vector<Match> matches;
  for (const auto& f : faults) matches.push_back(compare(f, o));
  // Greedy cover of the failures: each step names the strong fault that
  // explains the most failures not yet explained, less the cases it fails
  // that pass here; ties go to the fault more of whose cases fail here.
  std::set<std::string> left;
  for (const auto& [name, kind] : o.failed) left.insert(name);
  std::vector<std::string> lines;
  std::vector<const Match*> named, skipped;
  while (!left.empty()) {
    const Match* best = nullptr;
    long best_score = 0;
    std::size_t best_new = 0;
    for (const auto& m : matches) {
      if (!m.strong() || std::find(named.begin(), named.end(), &m) != named.end() ||
          std::find(skipped.begin(), skipped.end(), &m) != skipped.end())
        continue;
      const auto newly = static_cast<std::size_t>(std::count_if(
          m.explains.begin(), m.explains.end(), [&](const auto& c) { return left.count(c); }));
      const long score = long(newly) - long(m.predicted - m.failing);
      if (newly == 0 || score <= 0) continue;
      if (!best || score > best_score || (score == best_score && m.share() > best->share())) {
        best = &m;
        best_score = score;
        best_new = newly;
      }
    }
    if (!best) break;
    std::vector<const Match*> alike;
    for (const auto& m : matches)
      if (&m != best && m.strong() && m.explains == best->explains &&
          m.predicted == best->predicted && m.failing == best->failing &&
          std::find(named.begin(), named.end(), &m) == named.end())
        alike.push_back(&m);
    lines.push_back(evidence(*best, alike, best_new, o.failed.size()));
    for (const auto& c : best->explains) left.erase(c);
    named.push_back(best);
    // Not named again as causes of their own.
    for (const Match* a : alike) skipped.push_back(a);
  }
  if (named.size() > 1) {
    std::string names;
    for (std::size_t i = 0; i < named.size(); i++)
      names += (i == 0 ? "" : i + 1 == named.size() ? " and " : ", ") + named[i]->fault->name;
    lines.push_back("likely cause: " + names + " together: they explain " +
                    std::to_string(o.failed.size() - left.size()) + " of the " +
                    plural(o.failed.size(), "failure", "failures"));
  }
  if (left.empty()) return lines;
  if (!named.empty()) {
    lines.push_back("likely cause: none of the known faults for the other " +
                    plural(left.size(), "failing case", "failing cases"));
    return lines;
  }
  std::string line = "likely cause: none of the known faults (" +
                     plural(left.size(), "failing case", "failing cases") + " unexplained)";
  // The nearest fault, so that a reader sees how far the best one is.
  const Match* nearest = nullptr;
  for (const auto& m : matches)
    if (m.failing > 0 && (!nearest || m.share() > nearest->share())) nearest = &m;
  if (nearest)
    line += "; nearest: " + nearest->fault->name + ", " + std::to_string(nearest->failing) +
            " of the " + plural(nearest->predicted, "case", "cases") + " it fails fail here" +
            (nearest->same_way == nearest->failing
                 ? ""
                 : " (" + std::to_string(nearest->same_way) + " the same way)");
  lines.push_back(line);
  return lines;
}

std::vector<std::string> diagnose_run(const Settings& s, const std::vector<common::Case>& cases,
                                      const std::vector<Verdict>& verdicts) {
  const Observed o = observe(cases, verdicts);
  if (o.failed.empty()) return {};  // a green run reads nothing
  const std::string path = s.signatures.empty() ? signatures_beside(s.cases_dir) : s.signatures;
  std::error_code ec;
  if (s.signatures.empty() && !std::filesystem::exists(path, ec)) return {};
  try {
    return diagnose(o, read_signatures(path));
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "conformance: no diagnosis: %s\n", e.what());
    return {};
  }
}

bool write_observed(const std::string& path, const std::vector<common::Case>& cases,
                    const std::vector<Verdict>& verdicts) {
  std::ofstream out(path, std::ios::binary);
  out << observed_json(observe(cases, verdicts));
  return static_cast<bool>(out.flush());
}

}  // namespace conformance
