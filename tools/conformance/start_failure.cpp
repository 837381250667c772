#include "start_failure.hpp"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace conformance {

namespace {

using common::Case;

std::string first_line(const std::string& text) {
  return text.substr(0, std::min(text.find('\n'), std::size_t{200}));
}

void replace_all(std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

// What differs between runs of one cause: the program's name and path,
// process ids, addresses.
std::string normalized(std::string s, const Case& c, const Settings& settings) {
  replace_all(s, settings.bin_dir + "/" + c.program, "PROGRAM");
  replace_all(s, c.program, "PROGRAM");
  std::string out;
  for (std::size_t i = 0; i < s.size(); i++) {
    if (s.compare(i, 2, "0x") == 0 && i + 2 < s.size() && std::isxdigit((unsigned char)s[i + 2])) {
      out += "0x#";
      for (i += 2; i + 1 < s.size() && std::isxdigit((unsigned char)s[i + 1]);) i++;
    } else if (std::isdigit((unsigned char)s[i])) {
      out += '#';
      while (i + 1 < s.size() && std::isdigit((unsigned char)s[i + 1])) i++;
    } else {
      out += s[i];
    }
  }
  return out;
}

// How a failed run went wrong at its very start, or "" when it got as far
// as the program's own output (its standard error began as expected).
std::string start_signature(const Case& c, const Verdict& v, const Settings& s) {
  if (v.message.starts_with("did not run")) return normalized(v.message, c, s);
  const std::string want = c.err ? first_line(*c.err) : "";
  const std::string got = first_line(v.err);
  if (!v.err.empty() && got != want) return normalized("stderr: " + got, c, s);
  if (v.err.empty() && v.out.empty() && v.message.starts_with("killed by signal")) return v.message;
  return "";
}

std::string base_name(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

template <typename T>
T read_field(const unsigned char* p, bool little) {
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); i++)
    value |= static_cast<T>(p[little ? i : sizeof(T) - 1 - i]) << (8 * i);
  return value;
}

// The cause a person would name for the signature SIG.
std::string explain(const std::string& sig, const Case& c, const Settings& s) {
  const std::string wrapper = s.wrapper.empty() ? "" : base_name(s.wrapper[0]);
  const auto program_static = is_static_elf(s.bin_dir + "/" + c.program);
  if (wrapper == "valgrind" && program_static.value_or(false))
    return "a static build, which valgrind's tools cannot follow through the C library's "
           "start-up; rebuild with -DSUITE_STATIC=OFF";
  if (sig.find("Memcheck, a memory error detector") != std::string::npos ||
      (wrapper == "valgrind" && sig.starts_with("stderr: ==#==")))
    return "valgrind writes its own lines to standard error; run it quiet: --wrapper "
           "'valgrind -q'";
  if (sig.find("Exec format error") != std::string::npos)
    return s.wrapper.empty()
               ? "the programs are not for this machine (exec format error); run them under "
                 "their emulator, e.g. --wrapper 'qemu-arm -L /usr/arm-linux-gnueabihf'"
               : "the wrapper cannot run these programs (exec format error): the wrong "
                 "emulator for their processor?";
  if (wrapper.starts_with("qemu-") && sig.find("Could not open") != std::string::npos)
    return "the emulator does not find the programs' dynamic loader: give it the target's "
           "root (--wrapper '" +
           wrapper + " -L /usr/TRIPLE') or build them static";
  if (sig.find("cannot run") != std::string::npos)
    return "the programs (or the wrapper) cannot be started: " + sig;
  if (sig.find("Illegal instruction") != std::string::npos)
    return "every program stopped on an illegal instruction before writing anything: built "
           "for a newer processor than this one (-march)?";
  return "the wrapper or the build, not the programs: " + sig;
}

}  // namespace

std::optional<bool> is_static_elf(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return std::nullopt;
  unsigned char head[64] = {};
  const std::size_t got = std::fread(head, 1, sizeof head, f);
  if (got < 52 ||
      std::memcmp(head,
                  "\x7f"
                  "ELF",
                  4) != 0 ||
      (head[4] != 1 && head[4] != 2)) {
    std::fclose(f);
    return std::nullopt;
  }
  const bool wide = head[4] == 2, little = head[5] == 1;
  const std::uint64_t phoff = wide ? read_field<std::uint64_t>(head + 32, little)
                                   : read_field<std::uint32_t>(head + 28, little);
  const std::uint16_t entsize = read_field<std::uint16_t>(head + (wide ? 54 : 42), little);
  const std::uint16_t count = read_field<std::uint16_t>(head + (wide ? 56 : 44), little);
  std::optional<bool> result = true;
  unsigned char entry[4];
  for (std::uint16_t i = 0; i < count && entsize >= 4; i++) {
    if (std::fseek(f, static_cast<long>(phoff + std::uint64_t{i} * entsize), SEEK_SET) != 0 ||
        std::fread(entry, 1, 4, f) != 4) {
      result = std::nullopt;
      break;
    }
    if (read_field<std::uint32_t>(entry, little) == 3) {  // PT_INTERP: the dynamic loader
      result = false;
      break;
    }
  }
  std::fclose(f);
  return result;
}

std::string start_failure(const std::vector<Case>& cases, const std::vector<Verdict>& verdicts,
                          const Settings& s) {
  std::string signature;
  const Case* first = nullptr;
  std::size_t finished = 0;
  for (std::size_t i = 0; i < cases.size() && i < verdicts.size(); i++) {
    const Verdict& v = verdicts[i];
    if (!v.finished) continue;
    if (v.passed) return "";
    const std::string sig = start_signature(cases[i], v, s);
    if (sig.empty() || (first != nullptr && sig != signature)) return "";
    if (first == nullptr) first = &cases[i];
    signature = sig;
    finished++;
  }
  if (finished < 2) return "";
  return "likely cause: every case failed the same way before the program's own output "
         "began: " +
         explain(signature, *first, s);
}

}  // namespace conformance
