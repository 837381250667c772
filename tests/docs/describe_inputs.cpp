// Prints every valid-input description as JSON, the wider set (the default)
// and the narrow one, so that scripts/catalogue can hold their ranges against
// the programs' header comments without reading C++.
#include <cstdio>
#include <string>

#include "generate.hpp"

namespace {

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

void print_field(const generate::Field& f) {
  std::printf("{\"name\": %s, \"kind\": \"%s\", \"lo\": %.17g, \"hi\": %.17g, \"except\": [",
              quoted(f.name).c_str(), f.kind == generate::Kind::integer ? "integer" : "floating",
              f.lo, f.hi);
  for (std::size_t i = 0; i < f.except.size(); i++)
    std::printf("%s%lld", i ? ", " : "", f.except[i]);
  std::printf(
      "], \"min_magnitude\": %.17g, \"nan\": %s, \"inf\": %s, \"time_bound\": %s, "
      "\"shape_bound\": %s}",
      f.min_magnitude, f.nan ? "true" : "false", f.inf ? "true" : "false",
      quoted(f.time_bound).c_str(), quoted(f.shape_bound).c_str());
}

void print_set(const char* key, bool wider) {
  std::printf("\"%s\": [\n", key);
  const auto& all = generate::descriptions(generate::Coverage{wider});
  for (std::size_t i = 0; i < all.size(); i++) {
    std::printf(" {\"program\": %s, \"fields\": [", quoted(all[i].program).c_str());
    for (std::size_t k = 0; k < all[i].fields.size(); k++) {
      if (k) std::printf(", ");
      print_field(all[i].fields[k]);
    }
    std::printf("]}%s\n", i + 1 < all.size() ? "," : "");
  }
  std::printf("]");
}

}  // namespace

int main() {
  std::printf("{");
  print_set("wider", true);
  std::printf(",\n");
  print_set("narrow", false);
  std::printf("}\n");
  return 0;
}
