#include "host/RegistryText.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace host {

namespace {

constexpr std::string_view kHeader =
    "; Skirmora settings: the hall of fame, the joystick buttons and the first-run flag.\n"
    "; Skirmora rewrites this file whenever a setting changes; edit it only while the game is\n"
    "; not running. Each [key] line is followed by its values, one per line, either\n"
    ";   \"name\"=\"text\"   or   \"name\"=dword:XXXXXXXX   (a 32-bit number in hexadecimal).\n"
    "; In names and texts write \\\" for a quote, \\\\ for a backslash, \\n for a line break,\n"
    "; \\t for a tab and \\xHH for any other byte. A [key] line whose names hold such bytes is\n"
    "; written [\"quoted\\\\and\\\\escaped\"]. Lines starting with ; are comments.\n";

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7f;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendHexByte(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

// Length of the well-formed UTF-8 sequence starting at text[i] (a byte of 0x80 or more), or
// 0 when there is none: no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = at(i);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xbf;  // allowed range of the second byte
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  if (at(i + 1) < low || at(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (at(i + k) < 0x80 || at(i + k) > 0xbf) return 0;
  }
  return length;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (IsControl(byte)) {
      AppendHexByte(out, byte);
    } else if (byte >= 0x80) {
      if (const std::size_t length = Utf8SequenceLength(text, i)) {
        out += text.substr(i, length);
        i += length;
        continue;
      }
      AppendHexByte(out, byte);
    } else {
      out += c;
    }
    ++i;
  }
  out += '"';
}

// Deliberate: a key path is written as it is unless it has bytes a text would escape (every
// byte that is not part of valid UTF-8: control characters never occur in key names) or
// starts with the quote that marks the escaped form, so the file stays valid UTF-8.
bool KeyPathNeedsQuotes(std::string_view path) {
  if (path.starts_with('"')) return true;
  for (std::size_t i = 0; i < path.size();) {
    if (static_cast<unsigned char>(path[i]) < 0x80) {
      ++i;
    } else if (const std::size_t length = Utf8SequenceLength(path, i)) {
      i += length;
    } else {
      return true;
    }
  }
  return false;
}

// A byte as it is named in a message: itself when printable ASCII, else its hex code.
std::string Shown(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte > 0x20 && byte < 0x7f) return std::string("\"") + c + "\"";
  std::string hex = "byte 0x";
  hex += kHexDigits[byte >> 4];
  hex += kHexDigits[byte & 15];
  return hex;
}

// Reads one line of the file. Keeps the state that runs from line to line: the current key.
class LineReader {
 public:
  explicit LineReader(RegistryTree& tree) : tree_(tree) {}

  // Reads a line (without its line end). Returns what is wrong with it, or nothing.
  std::optional<std::string> Read(std::string_view line) {
    line_ = Trimmed(line);
    pos_ = 0;
    if (line_.empty() || line_[0] == ';' || line_[0] == '#') return std::nullopt;
    if (line_[0] == '[') return ReadKeyLine();
    if (line_[0] == '"') return ReadValueLine();
    return "it is not a comment, a [key] line or a \"name\"=value line";
  }

 private:
  static std::string_view Trimmed(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    return line;
  }

  std::optional<std::string> ReadKeyLine() {
    // Values below a broken key line must not land in the key above it.
    key_.reset();
    if (line_.size() < 2 || line_.back() != ']') return "a [key] line must end with \"]\"";
    std::string path(line_.substr(1, line_.size() - 2));
    if (path.starts_with('"')) {
      path.clear();
      pos_ = 1;
      if (auto problem = ReadQuoted(path)) return problem;
      if (pos_ != line_.size() - 1) return "unexpected " + Shown(line_[pos_]) + " after the key";
    }
    RegistryChange create{RegistryChange::Kind::CreateKey, std::move(path), {}, {}};
    if (!tree_.Apply(create)) {
      return "the key path in it is empty, has an empty name or holds a control character";
    }
    key_ = std::move(create.key);
    return std::nullopt;
  }

  std::optional<std::string> ReadValueLine() {
    std::string name;
    if (auto problem = ReadQuoted(name)) return problem;
    SkipBlanks();
    if (pos_ >= line_.size() || line_[pos_] != '=') return "expected \"=\" after the value name";
    ++pos_;
    SkipBlanks();
    RegValue value;
    if (pos_ < line_.size() && line_[pos_] == '"') {
      std::string text;
      if (auto problem = ReadQuoted(text)) return problem;
      value = RegValue::String(std::move(text));
    } else if (line_.substr(pos_, 6) == "dword:") {
      pos_ += 6;
      std::uint32_t bits = 0;
      for (int digit = 0; digit < 8; ++digit, ++pos_) {
        const int nibble = pos_ < line_.size() ? HexValue(line_[pos_]) : -1;
        if (nibble < 0) return "expected eight hexadecimal digits after \"dword:\"";
        bits = bits << 4 | static_cast<std::uint32_t>(nibble);
      }
      value = RegValue::Dword(static_cast<std::int32_t>(bits));
    } else {
      return "expected a quoted text or dword:XXXXXXXX after \"=\"";
    }
    if (pos_ != line_.size()) return "unexpected " + Shown(line_[pos_]) + " after the value";
    if (!key_) return "a value line comes before any [key] line";
    tree_.Apply({RegistryChange::Kind::SetValue, *key_, std::move(name), std::move(value)});
    return std::nullopt;
  }

  // Reads a quoted, escaped text starting at the opening quote at pos_.
  std::optional<std::string> ReadQuoted(std::string& out) {
    for (++pos_; pos_ < line_.size(); ++pos_) {
      const char c = line_[pos_];
      if (c == '"') {
        ++pos_;
        return std::nullopt;
      }
      if (c == '\\') {
        if (++pos_ >= line_.size()) return "the line ends inside an escape";
        const char escaped = line_[pos_];
        if (escaped == '"' || escaped == '\\') {
          out += escaped;
        } else if (escaped == 'n') {
          out += '\n';
        } else if (escaped == 't') {
          out += '\t';
        } else if (escaped == 'x') {
          const int high = pos_ + 1 < line_.size() ? HexValue(line_[pos_ + 1]) : -1;
          const int low = pos_ + 2 < line_.size() ? HexValue(line_[pos_ + 2]) : -1;
          if (high < 0 || low < 0) return "\\x must be followed by two hexadecimal digits";
          out += static_cast<char>(high * 16 + low);
          pos_ += 2;
        } else {
          const bool printable = escaped > ' ' && escaped < 0x7f;
          return printable ? std::string("unknown escape \"\\") + escaped + "\""
                           : "a backslash followed by " + Shown(escaped);
        }
      } else if (IsControl(static_cast<unsigned char>(c)) && c != '\t') {
        return "a raw control character (" + Shown(c) + ") inside quotes";
      } else {
        out += c;
      }
    }
    return "a quoted text has no closing quote";
  }

  void SkipBlanks() {
    while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
  }

  RegistryTree& tree_;
  std::optional<std::string> key_;
  std::string_view line_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string FormatRegistryText(const RegistryTree& tree) {
  std::string out(kHeader);
  tree.ForEachKey(
      [&](const std::string& path, const RegistryTree::Values& values, bool hasSubkeys) {
        if (values.empty() && hasSubkeys) return;
        out += "\n[";
        if (KeyPathNeedsQuotes(path)) {
          AppendQuoted(out, path);
        } else {
          out += path;
        }
        out += "]\n";
        for (const auto& [name, value] : values) {
          AppendQuoted(out, name);
          out += '=';
          if (value.type == RegValue::Type::String) {
            AppendQuoted(out, value.text);
          } else {
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x",
                          static_cast<std::uint32_t>(value.number));
            out += digits;
          }
          out += '\n';
        }
      });
  return out;
}

RegistryParseResult ParseRegistryText(std::string_view text) {
  RegistryParseResult result;
  if (text.starts_with("\xef\xbb\xbf")) text.remove_prefix(3);
  LineReader reader(result.tree);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const bool complete = end != std::string_view::npos;
    const std::string_view line = text.substr(0, complete ? end : text.size());
    text.remove_prefix(complete ? end + 1 : text.size());
    auto problem = reader.Read(line);
    if (!problem) continue;
    // A last line without its line end that does not read is most likely cut off; a complete
    // last line merely lacking the line end (a hand edit) is fine.
    if (!complete) *problem = "the file ends in the middle of this line (" + *problem + ")";
    if (result.badLines++ == 0) {
      result.firstBadLine = number;
      result.firstProblem = std::move(*problem);
    }
  }
  return result;
}

}  // namespace host
