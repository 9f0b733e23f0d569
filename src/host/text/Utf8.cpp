#include "host/text/Utf8.h"

namespace host {

char32_t NextCodePoint(std::string_view s, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(at);
  int extra = 0;
  char32_t cp = 0, min = 0;
  if (b0 < 0x80) {
    ++at;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++at;
    return 0xFFFD;
  }
  std::size_t i = at + 1;
  for (int k = 0; k < extra; ++k, ++i) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) {
      at = i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  at = i;
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t CountChars(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < text.size(); ++n) NextCodePoint(text, at);
  return n;
}

std::string FirstChars(std::string_view text, std::size_t n) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < n && at < text.size(); ++k) NextCodePoint(text, at);
  return std::string(text.substr(0, at));
}

char32_t ToUpper(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 32;
  // Latin-1 lower-case letters (except the sharp s and y with diaeresis).
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
  if (cp == 0xFF) return 0x178;
  // The dotless i and the long s have the plain ASCII capitals.
  if (cp == 0x131) return 'I';
  if (cp == 0x17F) return 'S';
  // Latin Extended-A pairs alternate upper, lower.
  if (cp >= 0x100 && cp <= 0x17F) {
    bool oddLower = (cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
    bool evenLower = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    if (oddLower && (cp & 1)) return cp - 1;
    if (evenLower && !(cp & 1)) return cp - 1;
  }
  return cp;
}

std::string ToUpper(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) AppendUtf8(out, ToUpper(NextCodePoint(text, at)));
  return out;
}

}  // namespace host
