#include <gtest/gtest.h>

#include <memory>

#include "game/Game.h"
#include "game/PowerUps.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct RandomPowerUpTypeTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};

  std::int32_t TypeFor(float r) {
    game.random.Force({r});
    return game::RandomPowerUpType(game);
  }
};

TEST_F(RandomPowerUpTypeTest, BandsOfTheDrawGiveTheirTypes) {
  EXPECT_EQ(TypeFor(0.0f), 0);
  EXPECT_EQ(TypeFor(0.4499f), 0);
  EXPECT_EQ(TypeFor(0.45f), 1);
  EXPECT_EQ(TypeFor(0.65f), 2);
  EXPECT_EQ(TypeFor(0.85f), 3);
  EXPECT_EQ(TypeFor(0.96f), 4);
  EXPECT_EQ(TypeFor(0.9799f), 4);
  EXPECT_EQ(TypeFor(0.98f), 6);
  EXPECT_EQ(TypeFor(0.9999f), 6);
}

TEST_F(RandomPowerUpTypeTest, TopWeaponLevelAndRookieModeReplaceTheRareTypes) {
  game.state.WeaponLevel = 7;
  EXPECT_EQ(TypeFor(0.9f), 5) << "no upgrade left: the mega blast";
  game.state.RookieMode = true;
  for (float r : {0.9f, 0.97f, 0.99f}) EXPECT_EQ(TypeFor(r), 2) << r;
  game.state.WeaponLevel = 3;
  EXPECT_EQ(TypeFor(0.9f), 3) << "upgrades still come in Rookie mode";
}

}  // namespace
