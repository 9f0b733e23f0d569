#include "app/script/Json.h"

#include <cstdio>

#include "host/text/Utf8.h"

namespace script {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= 0x80) {
      // A byte that is not part of valid UTF-8 would make the line unreadable as JSON.
      const std::size_t start = at;
      if (host::NextCodePoint(text, at) == 0xFFFD) {
        out += "\\ufffd";
      } else {
        out.append(text.substr(start, at - start));
      }
      continue;
    }
    ++at;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace script
