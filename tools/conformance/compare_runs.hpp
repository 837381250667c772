// The commands that read results files instead of running cases:
//   conformance compare OLD.json... [vs] NEW.json...
//   conformance merge A.json B.json... -o ALL.json
#pragma once

namespace conformance {

// argv[0] is the command's name ("compare", "merge"). They return the exit
// status: compare 1 when a case newly fails; both 2 for a usage or file error.
int compare_command(int argc, char** argv);
int merge_command(int argc, char** argv);

}  // namespace conformance
