#include <gtest/gtest.h>

#include "shell/TextFields.h"

using shell::CountOccurrences;
using shell::GetField;
using shell::MidRange;

TEST(TextFieldsTest, CountOccurrencesRestartsOneCharacterAfterEachMatch) {
  EXPECT_EQ(CountOccurrences("a|b|c", "|"), 2);
  EXPECT_EQ(CountOccurrences("", "|"), 0);
  EXPECT_EQ(CountOccurrences("abc", "|"), 0);
  EXPECT_EQ(CountOccurrences("||", "|"), 2);
  EXPECT_EQ(CountOccurrences("aaa", "aa"), 2) << "overlapping matches count";
}

TEST(TextFieldsTest, GetFieldTakesSeparatorDelimitedFields) {
  EXPECT_EQ(GetField("a|b|c", "|", 3), "c");
  EXPECT_EQ(GetField("a||c", "|", 2), "") << "fields may be empty";
  EXPECT_EQ(GetField("a=b=c", "=", 2), "b") << "up to the next separator";
  // Without a separator, the whole text whatever the index.
  EXPECT_EQ(GetField("plain", "|", 1), "plain");
  EXPECT_EQ(GetField("plain", "|", 7), "plain");
}

TEST(TextFieldsTest, MidRangeCountsCharactersFromOne) {
  EXPECT_EQ(MidRange("Skirmora", 1, 4), "Skir");
  EXPECT_EQ(MidRange("Skirmora", 5, 8), "mora");
  EXPECT_EQ(MidRange("Skirmora", 5, 99), "mora");
  EXPECT_EQ(MidRange("Skirmora", 4, 3), "");
  EXPECT_EQ(MidRange("Ä®Ö", 2, 2), "®") << "characters, not bytes";
}
