#include <vector>

#include "CombatTesting.h"
#include "game/PowerUps.h"
#include "game/Random.h"

namespace {

using GameStateTest = combat_testing::CombatTest;

TEST_F(GameStateTest, DamageShipWithShieldsRookieEnergyTheWarningAndTheEmptyHull) {
  struct Case {
    const char* what;
    bool rookie, shields, reduced;
    int hull, energy, damage;
    bool hurt;
    int hullAfter, energyAfter;
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {"shields take it", false, true, false, 100, 100, 10, false, 100, 100, {"SShieldsHit"}},
      {"even a Rookie's", true, true, false, 100, 100, 10, false, 100, 100, {"SShieldsHit"}},
      {"silently with reduced sound", false, true, true, 100, 100, 10, false, 100, 100, {}},
      {"Rookie: energy first", true, false, false, 100, 30, 10, true, 100, 20, {"SShieldsHit"}},
      {"and the hull the rest", true, false, false, 100, 5, 10, true, 95, 0, {"SHit"}},
      {"a Rookie without energy", true, false, false, 95, 0, 10, true, 85, 0, {"SHit"}},
      {"crossing 30 warns", false, false, false, 31, 100, 1, true, 30, 100, {"SWarning"}},
      {"below 30 only hits", false, false, false, 30, 100, 10, true, 20, 100, {"SHit"}},
      {"warned with reduced sound", false, false, true, 40, 100, 50, true, 0, 100, {"SWarning"}},
      {"a destroyed ship", false, false, false, 0, 100, 10, false, 0, 100, {}},
      {"a hull below 0", false, false, false, -5, 100, 10, false, 0, 100, {}},
  };
  for (const Case& c : cases) {
    s.RookieMode = c.rookie, s.ShieldsUp = c.shields, s.ReducedSound = c.reduced;
    s.Hull = c.hull, s.Energy = c.energy;
    ForgetHeard();
    EXPECT_EQ(game::DamageShip(game, c.damage), c.hurt) << c.what;
    EXPECT_EQ(s.Hull, c.hullAfter) << c.what;
    EXPECT_EQ(s.Energy, c.energyAfter) << c.what;
    EXPECT_EQ(Heard(), c.heard) << c.what;
  }
}

TEST_F(GameStateTest, BandsOfTheDrawGivePowerUpTypes) {
  const auto typeFor = [this](float r) {
    Draws({r});
    return game::RandomPowerUpType(game);
  };
  for (const auto& [r, type] : {std::pair{0.0f, 0}, std::pair{0.4499f, 0}, std::pair{0.45f, 1},
                                std::pair{0.65f, 2}, std::pair{0.85f, 3}, std::pair{0.96f, 4},
                                std::pair{0.9799f, 4}, std::pair{0.98f, 6}, std::pair{0.9999f, 6}})
    EXPECT_EQ(typeFor(r), type) << r;
  s.WeaponLevel = 7;
  EXPECT_EQ(typeFor(0.9f), 5) << "no upgrade left: the mega blast";
  s.RookieMode = true;
  for (float r : {0.9f, 0.97f, 0.99f}) EXPECT_EQ(typeFor(r), 2) << r;
  s.WeaponLevel = 3;
  EXPECT_EQ(typeFor(0.9f), 3) << "upgrades still come in Rookie mode";
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

}  // namespace
