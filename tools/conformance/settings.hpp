// What the runner's command line sets.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "containment.hpp"

namespace conformance {

struct Settings {
  std::string bin_dir;
  std::string cases_dir;
  std::vector<std::string> wrapper;
  std::string filter;
  std::string junit;
  std::string html;
  std::string json;      // results file to write
  std::string baseline;  // results file of an earlier run: its failures are known
  std::string shard;     // INDEX/COUNT as given
  int repeat = 1;
  int jobs = 1;
  double timeout = 10.0;
  std::size_t memory = common::default_memory_bytes;
  bool record = false;
  bool overwrite = false;
  bool list = false;
  bool verbose = false;
  bool failures_only = false;  // the report leaves out what passed
  bool valid_only = false;
  // The known faults' signatures (empty: those beside the cases), and where
  // to write the run's failing cases and how each differs (--observed).
  std::string signatures;
  std::string observed;
};

}  // namespace conformance
