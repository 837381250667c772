#include "options.hpp"

namespace common {

namespace {

// The state of the splitter: the word being built and whether one has begun
// (an empty quoted word '' is still a word).
struct Splitter {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;

  void end_word() {
    if (in_word) words.push_back(word);
    word.clear();
    in_word = false;
  }
};

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Copies a quoted stretch starting after the opening quote at text[i - 1];
// returns the index after the closing quote, or npos when it never closes.
std::size_t quoted(const std::string& text, std::size_t i, char quote, std::string& word) {
  for (; i < text.size(); i++) {
    const char c = text[i];
    if (c == quote) return i + 1;
    if (quote == '"' && c == '\\' && i + 1 < text.size() &&
        (text[i + 1] == '"' || text[i + 1] == '\\')) {
      word += text[++i];
      continue;
    }
    word += c;
  }
  return std::string::npos;
}

}  // namespace

std::vector<std::string> split_words(const std::string& option, const std::string& text) {
  Splitter s;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (blank(c)) {
      s.end_word();
      i++;
    } else if (c == '\'' || c == '"') {
      s.in_word = true;
      i = quoted(text, i + 1, c, s.word);
      if (i == std::string::npos) throw UsageError(option + " has an unclosed " + c + " quote");
    } else if (c == '\\') {
      if (i + 1 >= text.size()) throw UsageError(option + " ends in a lone backslash");
      s.in_word = true;
      s.word += text[i + 1];
      i += 2;
    } else {
      s.in_word = true;
      s.word += c;
      i++;
    }
  }
  s.end_word();
  return s.words;
}

}  // namespace common
