#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// Decodes the code point at `at` and moves `at` past it; malformed bytes give U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& at);
void AppendUtf8(std::string& out, char32_t cp);
// Number of characters (code points) in the text.
std::size_t CountChars(std::string_view text);
// The first `n` characters of the text; never cuts a character in two.
std::string FirstChars(std::string_view text, std::size_t n);
// ASCII and Latin letters in upper case, everything else unchanged.
std::string ToUpper(std::string_view text);
char32_t ToUpper(char32_t cp);

}  // namespace host
