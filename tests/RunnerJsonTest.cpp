// Every line the headless runner prints is one JSON value, whatever bytes the program's texts
// hold: other programs read these lines.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>

#include "app/script/Runner.h"
#include "host/text/Utf8.h"

namespace {

// A strict reader of one JSON value (RFC 8259): true when `text` is exactly that.
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  bool WholeValue() { return Value() && (Blanks(), at_ == text_.size()); }

 private:
  bool Value() {
    Blanks();
    if (at_ >= text_.size()) return false;
    switch (text_[at_]) {
      case '{':
        return Sequence('}', [this] { return String() && Expect(':') && Value(); });
      case '[':
        return Sequence(']', [this] { return Value(); });
      case '"':
        return String();
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  template <typename Item>
  bool Sequence(char close, Item item) {
    ++at_;
    Blanks();
    if (Peek(close)) return ++at_, true;
    do {
      Blanks();
      if (!item()) return false;
      Blanks();
    } while (Peek(',') && ++at_);
    return Expect(close);
  }

  bool String() {
    Blanks();
    if (!Expect('"')) return false;
    while (at_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"') return ++at_, true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (++at_ >= text_.size()) return false;
        const char e = text_[at_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++at_) {
            if (at_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[at_])))
              return false;
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
      } else if (c >= 0x80) {
        const std::size_t start = at_;
        if (host::NextCodePoint(text_, at_) == 0xFFFD &&
            text_.substr(start, at_ - start) != "\xef\xbf\xbd")
          return false;  // not UTF-8
      } else {
        ++at_;
      }
    }
    return false;
  }

  bool Number() {
    const std::size_t start = at_;
    if (Peek('-')) ++at_;
    while (at_ < text_.size() &&
           std::string_view("0123456789.eE+-").find(text_[at_]) != std::string_view::npos)
      ++at_;
    return at_ > start && std::isdigit(static_cast<unsigned char>(text_[at_ - 1]));
  }

  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
  bool Expect(char c) {
    Blanks();
    return Peek(c) && ++at_;
  }
  void Blanks() {
    while (at_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos)
      ++at_;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

TEST(RunnerJson, EveryLineIsJsonWhateverBytesTheTextsHold) {
  // Stray bytes, a cut sequence, an overlong slash, an encoded surrogate, and a real "é" and
  // U+FFFD, which stay as they are.
  const std::string odd = "\xff\xfe \xe2\x82 \xc0\xaf \xed\xa0\x80 \xc3\xa9 \xef\xbf\xbd";
  std::istringstream in(
      "settings [HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora]\n"
      "settings \"Greeted\"=dword:ffffffff\n"
      "settings \"High Score 1\"=\"" +
      odd +
      "=5\"\n"
      "settings \"\\xff\\xfe\"=\"\\xc0\\xaf\"\n"
      "settings-notice cannot read \"/home/" +
      odd +
      "/settings.reg\" \x01\x1f\n"
      "cd present\nstart\ndump registry HighScoreNames\nquit\n");
  std::ostringstream out;
  script::Runner runner(in, out, "/nowhere", "skirmora", script::Accept::AllCommands);
  ASSERT_EQ(runner.Run(), 0);

  std::istringstream lines(out.str());
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count)
    EXPECT_TRUE(JsonReader(line).WholeValue()) << line;
  EXPECT_EQ(count, 2);  // the notice, and the state
  EXPECT_NE(out.str().find("\\ufffd\\ufffd \\ufffd"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\xc3\xa9"), std::string::npos) << out.str();
}

}  // namespace
