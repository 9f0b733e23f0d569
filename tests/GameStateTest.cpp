#include <vector>

#include "CombatTesting.h"

namespace {

using DamageShipTest = combat_testing::CombatTest;

TEST_F(DamageShipTest, RaisedShieldsTakeNothingEvenInRookieMode) {
  s.ShieldsUp = true;
  for (bool rookie : {false, true}) {
    s.RookieMode = rookie;
    EXPECT_FALSE(game::DamageShip(game, 10));
    EXPECT_EQ(s.Hull, 100);
    EXPECT_EQ(s.Energy, 100);
  }
  EXPECT_EQ(Heard(), (std::vector<std::string>{"SShieldsHit", "SShieldsHit"}));
  s.ReducedSound = true;
  game::DamageShip(game, 10);
  EXPECT_EQ(Heard().size(), 2u) << "a hit on the shields is silent with reduced sound";
}

TEST_F(DamageShipTest, RookieEnergyAbsorbsHitsBeforeTheHull) {
  s.RookieMode = true;
  s.Energy = 30;
  EXPECT_TRUE(game::DamageShip(game, 10));
  EXPECT_EQ(s.Energy, 20);
  EXPECT_EQ(s.Hull, 100);
  s.Energy = 5;
  EXPECT_TRUE(game::DamageShip(game, 10));
  EXPECT_EQ(s.Energy, 0);
  EXPECT_EQ(s.Hull, 95);
  EXPECT_TRUE(game::DamageShip(game, 10));
  EXPECT_EQ(s.Hull, 85);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"SShieldsHit", "SHit", "SHit"}));
}

TEST_F(DamageShipTest, CrossingThirtySoundsTheWarningOnce) {
  s.Hull = 31;
  game::DamageShip(game, 1);
  EXPECT_EQ(s.Hull, 30);
  game::DamageShip(game, 10);
  EXPECT_EQ(s.Hull, 20);
  s.Hull = 40;
  s.ReducedSound = true;  // both cues play even with reduced sound
  game::DamageShip(game, 50);
  EXPECT_EQ(s.Hull, 0) << "the hull stops at 0";
  EXPECT_EQ(Heard(), (std::vector<std::string>{"SWarning", "SHit", "SWarning"}));
}

TEST_F(DamageShipTest, ADestroyedShipTakesNoMoreDamage) {
  s.Hull = 0;
  EXPECT_FALSE(game::DamageShip(game, 10));
  s.Hull = -5;
  EXPECT_FALSE(game::DamageShip(game, 10));
  EXPECT_EQ(s.Hull, 0);
  EXPECT_TRUE(Heard().empty());
}

// What each weapon's reload and speed are is dumped by fire-rates.scn and weapon-cycling.scn.
TEST(SetWeaponTest, RefusesAWeaponBeyondTheEight) {
  game::GameState s;
  EXPECT_THROW(game::SetWeapon(s, 8), std::out_of_range);
  EXPECT_THROW(game::SetWeapon(s, -1), std::out_of_range);
}

TEST(FitInitialsTest, CutsAndPadsByCharacters) {
  EXPECT_EQ(game::FitInitials(""), "   ");
  EXPECT_EQ(game::FitInitials("AB"), "AB ");
  EXPECT_EQ(game::FitInitials("ABCD"), "ABC");
  EXPECT_EQ(game::FitInitials("ÄÖ"), "ÄÖ ");
  EXPECT_EQ(game::FitInitials("ÉÈÊË"), "ÉÈÊ") << "never cut inside a character";
}

TEST(ProjectileListTest, RemovalMovesTheLastEntryIntoTheHole) {
  game::ProjectileList list;
  for (int i = 1; i <= 4; ++i) list.Add().X = i;
  list.Remove(2);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list[2].X, 4);
  EXPECT_EQ(list.Capacity(), 4u) << "storage is trimmed only at the end of a pass";
  list.Shrink();
  EXPECT_EQ(list.Capacity(), 3u);
  EXPECT_EQ(list.Add(), game::Projectile{}) << "a new entry starts all zero";
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list[1], std::out_of_range);
}

}  // namespace
