#pragma once
#include <string>
#include <string_view>

namespace script {

// A JSON string literal for UTF-8 text.
std::string JsonString(std::string_view text);

}  // namespace script
