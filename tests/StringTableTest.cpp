#include <gtest/gtest.h>

#include <string>

#include "assets/Assets.h"

namespace {

// Spot checks of how the texts are carried: "\xC2\xAE" is the registered sign in UTF-8, and the
// end-of-wave texts keep their two spaces after "!".
TEST(StringTable, KeepsTheTextsByteForByte) {
  EXPECT_EQ(assets::String(102), "Viva Windows\xC2\xAE!");
  EXPECT_EQ(assets::String(201), "Good job!  But this is only the beginning...");
  for (int id : {202, 203}) EXPECT_NE(assets::String(id).find("!  "), std::string::npos) << id;
}

TEST(StringTable, CountAtHundredMatchesTheRandomMessagesThatFollow) {
  const int count = std::stoi(assets::String(100));
  ASSERT_EQ(count, 10);
  for (int id = 101; id <= 100 + count; ++id) EXPECT_FALSE(assets::String(id).empty()) << id;
  EXPECT_TRUE(assets::String(101 + count).empty()) << "a message past the count";
}

TEST(StringTable, UnknownIdsAreEmpty) {
  for (int id : {-1, 0, 1, 99, 111, 200, 204, 1000, 30001}) EXPECT_EQ(assets::String(id), "") << id;
}

}  // namespace

TEST(VersionInformationTest, TheMenuReadsTheVersionFromTheFileVersion) {
  const assets::Version v = assets::ProgramVersion();
  EXPECT_EQ(v.major, 1);
  EXPECT_EQ(v.minor, 1) << "the file version 1.01.0027 has minor 01";
  EXPECT_EQ(v.revision, 27);
}
