// One line for a run in which every case failed the same way before the
// program's own output began: the wrapper's error, an exec format error, a
// missing dynamic loader. Such a run says nothing about the programs, and
// five hundred identical failures hide the one cause.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cases.hpp"
#include "judge.hpp"
#include "settings.hpp"

namespace conformance {

// "likely cause: ..." when every finished case (at least two) failed and
// all failed the same way at their start; "" otherwise.
std::string start_failure(const std::vector<common::Case>& cases,
                          const std::vector<Verdict>& verdicts, const Settings& s);

// Whether the ELF file at PATH is statically linked (has no program
// interpreter); nullopt when it is not a readable ELF file.
std::optional<bool> is_static_elf(const std::string& path);

}  // namespace conformance
