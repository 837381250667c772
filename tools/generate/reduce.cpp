// Cutting an input down while it still shows a difference: whole lines
// first, then tokens, then single bytes of short inputs, and each number or
// word toward a simpler one.
#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "generate.hpp"

namespace generate {

namespace {

using Pieces = std::vector<std::string>;
using Test = std::function<bool(const std::string&)>;

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string join(const Pieces& pieces) {
  std::string s;
  for (const auto& p : pieces) s += p;
  return s;
}

Pieces lines_of(const std::string& s) {
  Pieces lines;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t end = s.find('\n', start);
    end = end == std::string::npos ? s.size() : end + 1;
    lines.push_back(s.substr(start, end - start));
    start = end;
  }
  return lines;
}

// Each token with the white space before it, trailing white space alone:
// the pieces join back into the whole input.
Pieces tokens_with_space_before(const std::string& s) {
  Pieces tokens;
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t begin = i;
    while (i < s.size() && is_space(s[i])) i++;
    while (i < s.size() && !is_space(s[i])) i++;
    tokens.push_back(s.substr(begin, i - begin));
  }
  return tokens;
}

Pieces bytes_of(const std::string& s) {
  Pieces bytes;
  for (char c : s) bytes.push_back(std::string(1, c));
  return bytes;
}

// Drops runs of pieces, halving the run length down to single pieces.
bool drop_runs(std::string& best, Pieces pieces, const Test& test) {
  bool progress = false;
  for (std::size_t run = std::max<std::size_t>(1, pieces.size() / 2); run >= 1; run /= 2) {
    for (std::size_t at = 0; at < pieces.size();) {
      Pieces fewer = pieces;
      fewer.erase(fewer.begin() + static_cast<long>(at),
                  fewer.begin() + static_cast<long>(std::min(pieces.size(), at + run)));
      if (test(join(fewer))) {
        pieces = std::move(fewer);
        best = join(pieces);
        progress = true;
      } else {
        at += run;
      }
    }
    if (run == 1) break;
  }
  return progress;
}

// Simpler spellings of one token, simplest first.
std::vector<std::string> simpler(const std::string& token) {
  std::vector<std::string> out = {"0", "1", "-1", "a"};
  if (token.size() > 1) {
    out.push_back(token.substr(1));
    out.push_back(token.substr(0, token.size() - 1));
    out.push_back(token.substr(0, (token.size() + 1) / 2));
  }
  const std::size_t digits = token.find_first_not_of("+-0");
  if (digits != std::string::npos && digits > 0) out.push_back(token.substr(digits));
  return out;
}

// Shorter, or as long and earlier in byte order: the order cannot cycle.
bool is_simpler(const std::string& a, const std::string& b) {
  return a.size() < b.size() || (a.size() == b.size() && a < b);
}

bool simplify_tokens(std::string& best, const Test& test) {
  bool progress = false;
  Pieces pieces = tokens_with_space_before(best);
  for (auto& piece : pieces) {
    const std::size_t start = piece.find_first_not_of(" \t\n\r\v\f");
    if (start == std::string::npos) continue;
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& candidate : simpler(piece.substr(start))) {
        if (!is_simpler(candidate, piece.substr(start))) continue;
        const std::string old = piece;
        piece = piece.substr(0, start) + candidate;
        if (test(join(pieces))) {
          best = join(pieces);
          changed = progress = true;
          break;
        }
        piece = old;
      }
    }
  }
  return progress;
}

// Every run of white space as one space, or one newline.
bool plain_separators(std::string& best, const Test& test) {
  for (char sep : {' ', '\n'}) {
    std::string s;
    for (std::size_t i = 0; i < best.size();) {
      if (!is_space(best[i])) {
        s += best[i++];
        continue;
      }
      while (i < best.size() && is_space(best[i])) i++;
      s += sep;
    }
    if (s != best && is_simpler(s, best) && test(s)) {
      best = s;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string reduce(const std::string& input,
                   const std::function<bool(const std::string&)>& still_differs, int budget) {
  int tries = 0;
  const Test test = [&](const std::string& candidate) {
    if (tries >= budget) return false;
    tries++;
    return still_differs(candidate);
  };
  std::string best = input;
  for (bool progress = true; progress && tries < budget;) {
    progress = drop_runs(best, lines_of(best), test);
    progress |= drop_runs(best, tokens_with_space_before(best), test);
    if (best.size() <= 512) progress |= drop_runs(best, bytes_of(best), test);
    progress |= simplify_tokens(best, test);
    progress |= plain_separators(best, test);
  }
  return best;
}

}  // namespace generate
