#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/text/Utf8.h"

namespace {

using host::CountChars;
using host::FirstChars;
using host::NextCodePoint;
using host::ToUpper;

// Every code point of the text, in order, and checks that decoding never ran past its end.
std::vector<char32_t> Decode(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t before = at;
    out.push_back(NextCodePoint(text, at));
    EXPECT_GT(at, before);
    EXPECT_LE(at, text.size());
  }
  return out;
}

TEST(Utf8Decode, ReadsOneToFourByteCharacters) {
  EXPECT_EQ(Decode("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (std::vector<char32_t>{U'A', U'\u00E9', U'\u20AC', U'\U0001F600'}));
  EXPECT_EQ(Decode(std::string_view("a\0b", 3)), (std::vector<char32_t>{U'a', 0, U'b'}));
}

TEST(Utf8Decode, MalformedBytesGiveOneReplacementEachAndResumeAfterThem) {
  constexpr char32_t bad = 0xFFFD;
  // A lone continuation byte, a byte that never starts a character, a start byte with its
  // continuation missing, overlong forms, an encoded surrogate, a value past U+10FFFF.
  for (const char* text : {"\x80x", "\xFFx", "\xC3x", "\xE2\x82x", "\xC0\xAFx"})
    EXPECT_EQ(Decode(text), (std::vector<char32_t>{bad, U'x'})) << text;
  for (const char* text :
       {"\xE2\x82", "\xF0\x9F\x98", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
    EXPECT_EQ(Decode(text), (std::vector<char32_t>{bad})) << text;
}

TEST(Utf8Encode, RoundTripsEveryKindOfCharacter) {
  for (const char32_t cp : {U'\0', U'A', U'\u007F', U'\u0080', U'\u00AE', U'\u07FF', U'\u0800',
                            U'\u20AC', U'\uFFFD', U'\U00010000', U'\U0001F600', U'\U0010FFFF'}) {
    std::string text;
    host::AppendUtf8(text, cp);
    EXPECT_EQ(Decode(text), std::vector<char32_t>{cp}) << "U+" << std::hex << std::uint32_t(cp);
  }
  std::string invalid;
  host::AppendUtf8(invalid, 0xD800);
  host::AppendUtf8(invalid, 0x110000);
  EXPECT_EQ(invalid, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8FirstChars, CountsCharactersAndNeverCutsOne) {
  const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\xFF";
  const std::size_t count = CountChars(text);
  EXPECT_EQ(count, 6u);
  for (std::size_t n = 0; n <= count + 2; ++n) {
    const std::string head = FirstChars(text, n);
    EXPECT_EQ(text.compare(0, head.size(), head), 0) << n;
    EXPECT_EQ(CountChars(head), std::min(n, count)) << n;
    // The head decodes to the same characters as the start of the whole text.
    const auto whole = Decode(text);
    EXPECT_EQ(Decode(head), std::vector<char32_t>(whole.begin(), whole.begin() + CountChars(head)));
  }
  EXPECT_EQ(CountChars("a\x80\x80z"), 4u);
  EXPECT_EQ(FirstChars("", 3), "");
}

// Latin letters get their one-letter capital; the pairs of Latin Extended-A straddle every
// change of the block's pattern. The sharp s, the kra and the apostrophe n have no capital;
// capitals, signs, other scripts and damage are left alone.
TEST(Utf8ToUpper, LatinLettersAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc xyz ABC 019 _-@[`{", "ABC XYZ ABC 019 _-@[`{"},
      {"àéîõüþÿ", "ÀÉÎÕÜÞŸ"},
      {"āķĺňŋœšŷźžıſ", "ĀĶĹŇŊŒŠŶŹŽIS"},
      {"ĀĶĹŇŊŒŠŶŹŽŸİ", "ĀĶĹŇŊŒŠŶŹŽŸİ"},
      {"ß÷À® ĸŉ αж", "ß÷À® ĸŉ αж"},
      {"a\xFF", "A\xEF\xBF\xBD"}};
  for (const auto& [lower, upper] : cases) EXPECT_EQ(ToUpper(lower), upper) << lower;
}

}  // namespace
