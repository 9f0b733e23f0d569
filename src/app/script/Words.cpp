#include "app/script/Words.h"

#include <cerrno>
#include <cstdlib>

#include "app/script/Runner.h"

namespace script {

std::int64_t Number(const std::string& word, const char* what) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || errno == ERANGE)
    throw ScenarioError(std::string("expected a number for ") + what + ", got \"" + word + "\"");
  return v;
}

void Expect(const std::vector<std::string>& words, std::size_t min, std::size_t max,
            const char* usage) {
  if (words.size() < min || words.size() > max) throw ScenarioError(std::string("usage: ") + usage);
}

}  // namespace script
