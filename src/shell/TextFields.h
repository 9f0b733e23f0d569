#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Text field utilities of the window-utility module. Separators are single characters;
// positions count characters from 1.
namespace shell {

std::int16_t CountOccurrences(std::string_view text, std::string_view separator);
// The index-th separator-delimited field; the whole text when the separator does not occur.
std::string GetField(std::string_view text, std::string_view separator, std::int16_t index);
// Characters first..last inclusive.
std::string MidRange(std::string_view text, int first, int last);

}  // namespace shell
