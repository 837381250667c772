// What the runner's command line sets.
#pragma once

#include <string>
#include <vector>

namespace conformance {

struct Settings {
  std::string bin_dir;
  std::string cases_dir;
  std::vector<std::string> wrapper;
  std::string filter;
  std::string junit;
  std::string html;
  int jobs = 1;
  double timeout = 10.0;
  bool record = false;
  bool overwrite = false;
  bool list = false;
  bool verbose = false;
  bool valid_only = false;
};

}  // namespace conformance
