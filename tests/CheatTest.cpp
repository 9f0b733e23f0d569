// The cheat: a fully armed ship for the price of the score.
#include "CombatTesting.h"
#include "game/Cheat.h"

namespace {

using combat_testing::CombatTest;

using CheatTest = CombatTest;

TEST_F(CheatTest, ArmsTheShipForThePriceOfTheScoreAndMarksTheGame) {
  s.Score = 20000;
  s.Bombs = 2;
  s.Hull = 31;
  s.Energy = 5;
  s.WeaponLevel = 2;
  game::SetWeapon(s, 1);
  s.ReducedSound = true;
  MarkStatusBar();
  game::Cheat(*form);
  EXPECT_EQ(s.Score, 0);
  EXPECT_EQ(s.Bombs, 100);
  EXPECT_EQ(s.Hull, 100);
  EXPECT_EQ(s.Energy, 100);
  EXPECT_EQ(s.WeaponLevel, 7);
  EXPECT_EQ(s.Weapon, 1) << "the weapon in hand stays";
  EXPECT_EQ(s.WeaponReload, 8);
  EXPECT_TRUE(s.Cheated);
  EXPECT_EQ(Played("SError"), 1) << "heard even with reduced sound";
  EXPECT_TRUE(StatusBarRedrawn());
}

}  // namespace
