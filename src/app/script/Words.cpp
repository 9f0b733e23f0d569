#include "app/script/Words.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace script {

std::vector<std::string> Split(const std::string& line) {
  // The blanks of the classic locale, as a stream would split at them; a long game has a
  // line for every few frames, where a stream's set-up costs more than the rest of the line.
  constexpr std::string_view kBlanks = " \t\n\v\f\r";
  std::vector<std::string> words;
  for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string::npos;) {
    const std::size_t end = line.find_first_of(kBlanks, start);
    words.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return words;
}

std::string Rest(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  const std::size_t gap = line.find_first_of(" \t", start);
  if (gap == std::string::npos) return {};
  const std::size_t text = line.find_first_not_of(" \t", gap);
  return text == std::string::npos ? std::string() : line.substr(text);
}

std::int64_t Number(const std::string& word, const char* what) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || errno == ERANGE)
    throw ScenarioError(std::string("expected a number for ") + what + ", got \"" + word + "\"");
  return v;
}

std::int64_t Count(const std::string& word, const char* what) {
  const std::int64_t n = Number(word, what);
  if (n < 0) throw ScenarioError(std::string("expected 0 or more for ") + what + ", got " + word);
  return n;
}

void Expect(const std::vector<std::string>& words, std::size_t min, std::size_t max,
            Command command) {
  if (words.size() < min || words.size() > max) throw ScenarioError(Usage(command));
}

std::string Wrapped(std::string_view text, std::size_t indent, std::size_t width) {
  std::string out;
  std::size_t column = indent;
  bool lineEmpty = true;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    if (!lineEmpty && column + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
      lineEmpty = true;
    }
    if (!lineEmpty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    lineEmpty = false;
    at = end;
  }
  return out;
}

}  // namespace script
