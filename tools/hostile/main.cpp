// hostile: runs input-reading programs on inputs they were never meant for
// and checks that each run keeps the suite's contract: it ends in time and
// either exits normally (the timer report alone on stderr) or rejects the
// input (one line "PROGRAM: reason" on stderr, status 2). Written
// expectations pin down the ending, and the reason or output, of particular
// inputs.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "driver.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using namespace hostile;

namespace {

std::vector<common::Option> option_table(Options& o) {
  using namespace common;
  return {
      {"--bin-dir", "DIR", "folder holding the programs (required)", store_text(o.bin_dir)},
      {"--cases", "DIR", "golden cases, the seeds of the generated inputs",
       store_text(o.cases_dir)},
      {"--expect-dir", "DIR", "written expectations, one PROGRAM.txt each",
       store_text(o.expect_dir)},
      {"--list", "FILE", "programs to try, one per line: NAME GROUP SOURCE... (required)",
       store_text(o.list)},
      {"--only", "NAME", "only this program of the list", store_text(o.only)},
      {"--replay", "DIR",
       "run every file below DIR as input (fuzzer findings) instead of the\n"
       "                    generated inputs; may be repeated",
       append_text(o.replay)},
      {"--wrapper", "'CMD'", "command placed before each program (shell-like quoting)",
       store_words(o.wrapper)},
      {"--timeout", "SECS", "seconds a run may take, or with s, m or h (default 10; at most 24h)",
       store_seconds(o.timeout)},
      {"--memory", "SIZE",
       "a run's processes together: MiB, or with M, MiB, G or GiB (default 1G;\n"
       "                    at most 64G)",
       store_mebibytes(o.memory, common::max_memory_bytes)},
      {"--jobs", "N", "runs at a time (default 1; 0 = one per processor; at most 256)",
       store_count(o.jobs, max_jobs)},
      {"--markdown", "", "end with one table row per program", store_true(o.markdown)},
      {"--verbose", "", "list every input and how its run ended", store_true(o.verbose)},
  };
}

void check_options(Options& o) {
  if (o.bin_dir.empty()) throw common::UsageError("--bin-dir is required");
  if (o.list.empty()) throw common::UsageError("--list is required");
  std::error_code ec;
  if (!fs::is_directory(o.bin_dir, ec)) throw common::UsageError("no program folder " + o.bin_dir);
  if (!o.wrapper.empty()) common::check_command("--wrapper", o.wrapper[0]);
  if (o.jobs == 0) o.jobs = common::processor_count();
}

// A mistake is one line naming the option, so that a CI log shows just that.
Options parse_command_line(int argc, char** argv) {
  Options o;
  bool help = false;
  auto table = option_table(o);
  table.push_back({"--help", "", "show this text", common::store_true(help)});
  try {
    common::parse_options(argc, argv, table);
    if (help) {
      std::printf("usage: hostile --bin-dir DIR --list FILE [options]\n%s",
                  common::usage_lines(table).c_str());
      std::exit(0);
    }
    check_options(o);
  } catch (const common::UsageError& e) {
    std::fprintf(stderr, "hostile: %s (see hostile --help)\n", e.what());
    std::exit(2);
  }
  return o;
}

void print_markdown(const std::vector<std::pair<Program, Tally>>& rows) {
  std::printf(
      "\n| program | group | inputs tried | accepted | rejected | crashes | hangs | sanitizer "
      "reports | other contract breaks | written expectations |\n"
      "|---|---|---|---|---|---|---|---|---|---|\n");
  Tally sum;
  for (const auto& [p, t] : rows) {
    std::printf("| `%s` | %s | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n", p.name.c_str(),
                p.group.c_str(), t.inputs, t.accepted, t.rejected, t.crashes, t.hangs, t.sanitizer,
                t.other, t.written);
    sum.add(t);
  }
  std::printf("| **%zu programs** | | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n",
              rows.size(), sum.inputs, sum.accepted, sum.rejected, sum.crashes, sum.hangs,
              sum.sanitizer, sum.other, sum.written);
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse_command_line(argc, argv);
  const auto programs = read_list(o.list, o.only);
  if (programs.empty()) {
    std::fprintf(stderr, "hostile: no programs to try in %s\n", o.list.c_str());
    return 2;
  }
  common::supervise();
  std::size_t failures = 0;
  std::vector<std::pair<Program, Tally>> rows;
  for (const auto& p : programs) {
    if (common::interrupt_signal() != 0) break;
    Tally t = try_program(o, p);
    failures += t.failures;
    rows.emplace_back(p, t);
  }
  common::end_all_strays();
  if (const int signal = common::interrupt_signal(); signal != 0) {
    std::printf("interrupted: %zu of %zu programs tried\n", rows.size(), programs.size());
    return 128 + signal;
  }
  if (o.markdown) print_markdown(rows);
  std::printf("%zu programs, %zu failures\n", programs.size(), failures);
  return failures == 0 ? 0 : 1;
}
