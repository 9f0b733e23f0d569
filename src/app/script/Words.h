#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace script {

// The words of scenario commands.

// A whole number; a scenario error naming `what` otherwise.
std::int64_t Number(const std::string& word, const char* what);
// A scenario error with the usage line unless there are min to max words.
void Expect(const std::vector<std::string>& words, std::size_t min, std::size_t max,
            const char* usage);

}  // namespace script
