#include "options.hpp"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace common {

namespace {

const Option* find_option(const std::vector<Option>& table, const std::string& name) {
  for (const auto& option : table)
    if (name == option.name) return &option;
  return nullptr;
}

bool takes_value(const Option& option) {
  return option.value[0] != '\0';
}

}  // namespace

void parse_options(int argc, char** argv, const std::vector<Option>& table) {
  for (int i = 1; i < argc; i++) {
    std::string word = argv[i];
    std::string name = word;
    std::optional<std::string> inline_value;
    // Only "--name=value" splits; a bare word never names an option.
    if (const auto eq = word.find('='); word.starts_with("--") && eq != std::string::npos) {
      name = word.substr(0, eq);
      inline_value = word.substr(eq + 1);
    }
    const Option* option = find_option(table, name);
    if (option == nullptr) throw UsageError("unknown option " + word);
    if (!takes_value(*option)) {
      if (inline_value) throw UsageError(name + " takes no value");
      option->apply(name, "");
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= argc) throw UsageError(name + " needs a value (" + option->value + ")");
      inline_value = argv[++i];
    }
    option->apply(name, *inline_value);
  }
}

std::string usage_lines(const std::vector<Option>& table) {
  std::string text;
  for (const auto& option : table) {
    std::string left = std::string("  ") + option.name;
    if (takes_value(option)) left += std::string(" ") + option.value;
    if (left.size() < 20)
      left.resize(20, ' ');
    else
      left += "\n" + std::string(20, ' ');
    text += left + option.help + "\n";
  }
  return text;
}

double parse_seconds(const std::string& option, const std::string& text) {
  const std::string bad = option + " takes seconds: a positive number up to " +
                          std::to_string(static_cast<int>(max_timeout_seconds)) +
                          ", optionally with s, m or h; not '" + text + "'";
  // Digits and one decimal point only: strtod would also take "nan", "inf",
  // hexadecimal and exponents, none of which a person means here.
  std::size_t digits = 0, points = 0, end = 0;
  for (; end < text.size(); end++) {
    const char c = text[end];
    if (c >= '0' && c <= '9')
      digits++;
    else if (c == '.')
      points++;
    else
      break;
  }
  if (digits == 0 || points > 1 || end + 1 < text.size()) throw UsageError(bad);
  double scale = 1.0;
  if (end < text.size()) {
    const char unit = text[end];
    scale = unit == 's' ? 1.0 : unit == 'm' ? 60.0 : unit == 'h' ? 3600.0 : 0.0;
    if (scale == 0.0) throw UsageError(bad);
  }
  const double seconds = std::strtod(text.substr(0, end).c_str(), nullptr) * scale;
  if (!(seconds > 0.0) || !std::isfinite(seconds) || seconds > max_timeout_seconds)
    throw UsageError(bad);
  return seconds;
}

std::uint64_t parse_number(const std::string& option, const std::string& text, std::uint64_t max) {
  const std::string bad =
      option + " takes a whole number from 0 to " + std::to_string(max) + ", not '" + text + "'";
  if (text.empty() || text.size() > 20) throw UsageError(bad);
  std::uint64_t value = 0;
  for (char c : text) {
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (c < '0' || c > '9' || digit > max || value > (max - digit) / 10) throw UsageError(bad);
    value = value * 10 + digit;
  }
  return value;
}

int parse_count(const std::string& option, const std::string& text, int max) {
  return static_cast<int>(parse_number(option, text, static_cast<std::uint64_t>(max)));
}

std::size_t parse_mebibytes(const std::string& option, const std::string& text, std::size_t max) {
  const std::string bad = option + " takes a size above 0 and up to " + std::to_string(max >> 30) +
                          "G: whole MiB, or with M, MiB, G or GiB; not '" + text + "'";
  std::size_t end = 0;
  std::size_t value = 0;
  for (; end < text.size() && text[end] >= '0' && text[end] <= '9'; end++) {
    if (value > (max >> 20)) throw UsageError(bad);
    value = value * 10 + static_cast<std::size_t>(text[end] - '0');
  }
  const std::string unit = text.substr(end);
  int shift = unit.empty() || unit == "M" || unit == "MiB" ? 20 : 0;
  if (unit == "G" || unit == "GiB") shift = 30;
  if (end == 0 || shift == 0 || value == 0 || value > (max >> shift)) throw UsageError(bad);
  return value << shift;
}

Apply store_text(std::string& field) {
  return [&field](const std::string&, const std::string& value) { field = value; };
}

Apply store_true(bool& field) {
  return [&field](const std::string&, const std::string&) { field = true; };
}

Apply store_count(int& field, int max) {
  return [&field, max](const std::string& name, const std::string& value) {
    field = parse_count(name, value, max);
  };
}

Apply store_seconds(double& field) {
  return [&field](const std::string& name, const std::string& value) {
    field = parse_seconds(name, value);
  };
}

Apply store_mebibytes(std::size_t& field, std::size_t max) {
  return [&field, max](const std::string& name, const std::string& value) {
    field = parse_mebibytes(name, value, max);
  };
}

Apply store_words(std::vector<std::string>& field) {
  return [&field](const std::string& name, const std::string& value) {
    field = split_words(name, value);
  };
}

Apply append_text(std::vector<std::string>& field) {
  return [&field](const std::string&, const std::string& value) { field.push_back(value); };
}

void check_command(const std::string& option, const std::string& command) {
  if (command.find('/') != std::string::npos) {
    if (access(command.c_str(), X_OK) != 0)
      throw UsageError(option + ": cannot run " + command + ": " + std::strerror(errno));
    return;
  }
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/bin:/bin";
  for (std::size_t at = 0; at <= dirs.size();) {
    std::size_t end = dirs.find(':', at);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = dirs.substr(at, end - at);
    if (access(((dir.empty() ? "." : dir) + "/" + command).c_str(), X_OK) == 0) return;
    at = end + 1;
  }
  throw UsageError(option + ": " + command + " is not found in PATH");
}

}  // namespace common
