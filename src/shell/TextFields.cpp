#include "shell/TextFields.h"

#include <algorithm>

#include "host/text/Utf8.h"

namespace shell {

std::int16_t CountOccurrences(std::string_view text, std::string_view separator) {
  if (separator.empty()) return 0;
  std::int16_t count = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, at + 1)) {
    ++count;
  }
  return count;
}

std::string GetField(std::string_view text, std::string_view separator, std::int16_t index) {
  if (separator.empty() || text.find(separator) == std::string_view::npos) return std::string(text);
  std::size_t start = 0;
  for (std::int16_t n = 1; n < index; ++n) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) return {};  // past the last field
    start = at + separator.size();
  }
  const std::size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string MidRange(std::string_view text, int first, int last) {
  if (first < 1) first = 1;
  if (last < first) return {};
  const std::string head = host::FirstChars(text, static_cast<std::size_t>(last));
  const std::string skip = host::FirstChars(head, static_cast<std::size_t>(first - 1));
  return head.substr(std::min(skip.size(), head.size()));
}

}  // namespace shell
