#include "shards.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "options.hpp"

using common::UsageError;

namespace conformance {

namespace {

constexpr int max_shards = 1000000;

std::size_t number(const std::string& what, const std::string& text) {
  return static_cast<std::size_t>(common::parse_count(what, text, max_shards));
}

// `index` as given, counted from `base` (1 for --shard, 0 for the variables).
Shard checked(std::size_t index, std::size_t count, const std::string& what, std::size_t base) {
  if (count == 0) throw UsageError(what + ": 0 shards: the count is 1 or more");
  if (index < base || index - base >= count)
    throw UsageError(what + ": shard " + std::to_string(index) + " of " + std::to_string(count) +
                     " is out of range (" + std::to_string(base) + " to " +
                     std::to_string(count - 1 + base) + ")");
  return Shard{index - base, count};
}

// A pair of variables: both set, or neither (false).
bool from_variables(const char* total, const char* index, Shard& s) {
  const char* t = std::getenv(total);
  const char* i = std::getenv(index);
  if (t == nullptr && i == nullptr) return false;
  if (t == nullptr || i == nullptr)
    throw UsageError(std::string(t ? index : total) + " is not set, but " + (t ? total : index) +
                     " is");
  s = checked(number(index, i), number(total, t), std::string(index) + "/" + total, 0);
  return true;
}

}  // namespace

Shard choose_shard(const std::string& option) {
  Shard s;
  if (!option.empty()) {
    const auto slash = option.find('/');
    if (slash == std::string::npos)
      throw UsageError("--shard takes INDEX/COUNT (1-based), not '" + option + "'");
    return checked(number("--shard", option.substr(0, slash)),
                   number("--shard", option.substr(slash + 1)), "--shard", 1);
  }
  if (!from_variables("TEST_TOTAL_SHARDS", "TEST_SHARD_INDEX", s))
    from_variables("GTEST_TOTAL_SHARDS", "GTEST_SHARD_INDEX", s);
  return s;
}

bool touch_shard_status_file() {
  const char* path = std::getenv("TEST_SHARD_STATUS_FILE");
  if (path == nullptr || *path == '\0') return true;
  const int fd = open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool touched = futimens(fd, nullptr) == 0;
  return close(fd) == 0 && touched;
}

std::string xml_output_file() {
  const char* path = std::getenv("XML_OUTPUT_FILE");
  return path == nullptr ? "" : path;
}

}  // namespace conformance
