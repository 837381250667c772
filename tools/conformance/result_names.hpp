// Names as results files hold them. Case names come from file names, which
// may be any bytes, while JSON holds only UTF-8: a name is written with each
// byte that is not part of valid UTF-8 as \xHH and each backslash doubled, so
// that distinct names stay distinct and every name can be read back.
#pragma once

#include <string>

namespace conformance {

std::string escape_name(const std::string& bytes);

// The inverse. A backslash that starts neither escape (a file written by
// another tool) is kept as it is.
std::string unescape_name(const std::string& text);

}  // namespace conformance
