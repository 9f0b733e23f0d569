#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "assets/Assets.h"

namespace {

TEST(StringTable, HoldsTheWaveMessagesWordForWord) {
  // "\xC2\xAE" is the registered sign in UTF-8; the end-of-wave texts have two spaces after "!".
  const std::vector<std::pair<int, std::string>> texts = {
      {100, "10"},
      {101, "Your efforts are greatly appreciated."},
      {102, "Viva Windows\xC2\xAE!"},
      {103, "Die, Zorbs, die!"},
      {104, "Your courage will help to banish obsolete technology!"},
      {105, "Windows\xC2\xAE shall reign forever!"},
      {106, "Now, on to the next wave..."},
      {107, "Unfortunately, a few people think the HyperZorb is a GOOD idea..."},
      {108, "Rock on."},
      {109, "You rock."},
      {110, "You da man."},
      {201, "Good job!  But this is only the beginning..."},
      {202, "Awesome!  You're well on your way to being an expert pilot."},
      {203, "Great!  You should be ready to play in normal mode now."},
  };
  for (const auto& [id, text] : texts) EXPECT_EQ(assets::String(id), text) << "id " << id;
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
