#include <gtest/gtest.h>

#include <string>

#include "assets/Assets.h"

namespace {

// The game draws a random message from the count at 100; one missing would show as nothing.
TEST(StringTable, CountAtHundredMatchesTheRandomMessagesThatFollowAndUnknownIdsAreEmpty) {
  const int count = std::stoi(assets::String(100));
  ASSERT_EQ(count, 10);
  for (int id = 101; id <= 100 + count; ++id) EXPECT_FALSE(assets::String(id).empty()) << id;
  for (int id : {-1, 0, 99, 100 + count + 1, 200, 204, 30001})
    EXPECT_EQ(assets::String(id), "") << id;
}

}  // namespace
