#pragma once
#include <string>
#include <string_view>

namespace script {

// A JSON string literal for text meant to be UTF-8. Whatever is not valid UTF-8 in it (a
// stray byte, a cut or overlong sequence, a surrogate) is written as U+FFFD, \ufffd, as the
// program's dialogs show it, so that every line stays valid JSON.
std::string JsonString(std::string_view text);

}  // namespace script
