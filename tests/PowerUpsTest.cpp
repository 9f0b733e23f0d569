// Which power-up falls, how it falls, and what each one does for the ship.
#include "CombatTesting.h"
#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/PowerUps.h"

namespace {

using combat_testing::CombatTest;

struct PowerUpsTest : CombatTest {
  std::int32_t TypeFor(float r) {
    Draws({r});
    return game::RandomPowerUpType(game);
  }
  // Drops a power-up of this type right onto the ship and lets the frame collect it.
  void Collect(int kind) {
    PowerUp(kind, 300, 420, 0, 0);
    Frame();
    ASSERT_EQ(s.PowerUps.Count(), 0);
  }
};

TEST_F(PowerUpsTest, BandsOfTheDrawGiveTheirTypes) {
  for (const auto& [r, type] : {std::pair{0.0f, 0}, std::pair{0.4499f, 0}, std::pair{0.45f, 1},
                                std::pair{0.65f, 2}, std::pair{0.85f, 3}, std::pair{0.96f, 4},
                                std::pair{0.9799f, 4}, std::pair{0.98f, 6}, std::pair{0.9999f, 6}})
    EXPECT_EQ(TypeFor(r), type) << r;
  s.WeaponLevel = 7;
  EXPECT_EQ(TypeFor(0.9f), 5) << "no upgrade left: the mega blast";
  s.RookieMode = true;
  for (float r : {0.9f, 0.97f, 0.99f}) EXPECT_EQ(TypeFor(r), 2) << r;
  s.WeaponLevel = 3;
  EXPECT_EQ(TypeFor(0.9f), 3) << "upgrades still come in Rookie mode";
}

TEST_F(PowerUpsTest, PowerUpsFallDrawnUntilTheyLeaveTheField) {
  PowerUp(2, 100, 100, 1, 3);
  PowerUp(0, 619, 100, 2, 3);  // drifts out to the right
  Frame();
  ASSERT_EQ(s.PowerUps.Count(), 1);
  EXPECT_EQ(s.PowerUps[1].X, 101);
  EXPECT_EQ(s.PowerUps[1].Y, 103);
  EXPECT_EQ(testing_surfaces::Crop(Screen(), 101, 103, 20, 20),
            testing_surfaces::Crop(assets::Picture("PowerUpsPic"), 40, 0, 20, 20));
  EXPECT_TRUE(AllBlack(100, 100, 120, 102)) << "the rows it left";
}

// A recharge (type 2), money and the top level's upgrade are seen in power-ups.scn.
TEST_F(PowerUpsTest, UpgradesRepairsAndBombs) {
  s.WeaponLevel = 2;
  Collect(3);
  EXPECT_EQ(s.WeaponLevel, 3);
  EXPECT_EQ(s.Weapon, 3) << "the new level is the selected weapon";
  EXPECT_EQ(s.WeaponReload, 10);
  EXPECT_EQ(Played("SUpgrade"), 1);

  s.Bombs = 5;
  s.Hull = 20;
  s.Energy = 0;
  Collect(4);
  EXPECT_EQ(s.Bombs, 5) << "a full repair never takes bombs away";
  EXPECT_EQ(s.Hull, 100);
  EXPECT_EQ(s.Energy, 100);
  s.Bombs = 1;
  Collect(4);
  EXPECT_EQ(s.Bombs, 3);
  Collect(1);
  EXPECT_EQ(s.Bombs, 4);
  EXPECT_EQ(Played("SBombFound"), 1);
  Collect(6);
  EXPECT_EQ(s.RechargeTime, 250);
  EXPECT_EQ(Played("SSpecial"), 3);

  s.ReducedSound = true;
  s.Hull = 50;
  Collect(2);
  EXPECT_EQ(s.Hull, 60) << "the effect comes without the cue";
  EXPECT_EQ(Played("SUpgrade"), 1);
}

}  // namespace
