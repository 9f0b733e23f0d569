#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/script/Commands.h"

namespace script {

// A fault in the scenario itself; the runner stops with status 2 and names the line.
struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The words of scenario commands.

// A line's words, split at blanks.
std::vector<std::string> Split(const std::string& line);
// The text after the first word, as written (for answers and typed text).
std::string Rest(const std::string& line);
// A whole number; a scenario error naming `what` otherwise.
std::int64_t Number(const std::string& word, const char* what);
// A whole number of 0 or more; a scenario error naming `what` otherwise.
std::int64_t Count(const std::string& word, const char* what);
// A scenario error with the command's usage unless there are min to max words.
void Expect(const std::vector<std::string>& words, std::size_t min, std::size_t max,
            Command command);

// The width of the runner's help.
inline constexpr std::size_t kHelpWidth = 90;

// The text broken at blanks into lines of at most `width` columns (a longer word stands
// alone); the first line starts at column `indent`, as the others do after their blanks.
std::string Wrapped(std::string_view text, std::size_t indent, std::size_t width);

}  // namespace script
