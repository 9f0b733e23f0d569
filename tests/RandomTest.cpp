#include <gtest/gtest.h>

#include "game/Random.h"

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
