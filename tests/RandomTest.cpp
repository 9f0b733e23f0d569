#include <gtest/gtest.h>

#include <set>

#include "game/Random.h"

TEST(RandomTest, DrawsLieInTheUnitIntervalAndRepeatForASeed) {
  game::Random a, b;
  a.Seed(12345);
  b.Seed(12345);
  std::set<float> seen;
  for (int i = 0; i < 100000; ++i) {
    const float v = a.Next();
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
    ASSERT_EQ(v, b.Next());
    seen.insert(v);
  }
  EXPECT_GT(seen.size(), 99000u) << "a 24-bit generator does not repeat this soon";
}

TEST(RandomTest, ForcedValuesCycleUntilForcingEnds) {
  game::Random r;
  r.Seed(1);
  const float first = r.Next();
  r.Seed(1);
  r.Force({0.25f, 0.5f});
  EXPECT_EQ(r.Next(), 0.25f);
  EXPECT_EQ(r.Next(), 0.5f);
  EXPECT_EQ(r.Next(), 0.25f);
  r.Force({});
  EXPECT_EQ(r.Next(), first) << "forcing does not advance the generator";
}
