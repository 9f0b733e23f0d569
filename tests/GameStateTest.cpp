// The game below the level of a scenario: damage to the ship, the draws, weapons, initials,
// the lists and the shot grid, the bomb's blast on a slow screen, and the sound cues' paths a
// game cannot take.
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "CombatTesting.h"
#include "game/Bomb.h"
#include "game/PowerUps.h"
#include "game/Random.h"
#include "game/ShotGrid.h"
#include "game/SoundCues.h"

namespace {

using combat_testing::CombatTest;
using GameStateTest = CombatTest;

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

// The enemy pass finds the shots on a Zorb through a grid instead of trying every shot. On
// random crowded fields it must visit exactly what the plain pass over every shot visits, in
// the same order, and leave the same list behind: shots that stay, shots removed (the last
// one moving into the hole), passes that stop early, shots appended between two Zorbs.
TEST(ShotGridTest, VisitsWhatThePlainPassVisitsInTheSameOrder) {
  std::mt19937 random(18);
  const auto below = [&](int n) { return static_cast<std::int32_t>(random() % n); };
  for (int field = 0; field < 40; ++field) {
    // Half the fields crowd everything into one corner, the others spill over the edges.
    const int spread = field % 2 == 0 ? 160 : 760;
    const auto shot = [&] {
      return game::Projectile{.Kind = below(6), .X = below(spread) - 60, .Y = below(spread)};
    };
    game::ProjectileList plain, gridded;
    for (int n = below(300); n > 0; --n) plain.Add() = gridded.Add() = shot();
    game::ShotGrid grid;
    grid.Build(gridded);
    for (int zorb = 0; zorb < 60; ++zorb) {
      const std::int32_t x = below(spread) - 60, y = below(spread), w = 16 * (1 + below(4));
      const int stopAt = 1 + below(6);
      // What a step does depends only on the shot and on how many shots came before it.
      std::vector<std::pair<std::int32_t, game::Projectile>> seen[2];
      const auto step = [&](int pass, game::ProjectileList& list, std::int32_t j, auto remove) {
        seen[pass].emplace_back(j, list[j]);
        if (list[j].Kind == 3) return game::Visit::Next;
        remove();
        const bool stop = static_cast<int>(seen[pass].size()) == stopAt;
        return stop ? game::Visit::Stop : game::Visit::Removed;
      };
      game::ForEachEntry(
          plain, [&](const game::Projectile& p) { return game::OnSquare(p, x, y, w); },
          [&](std::int32_t j) { return step(0, plain, j, [&] { plain.Remove(j); }); });
      grid.ForEachOnSquare(gridded, x, y, w, [&](std::int32_t j) {
        return step(1, gridded, j, [&] { grid.Remove(gridded, j); });
      });
      ASSERT_EQ(seen[1], seen[0]) << "field " << field << ", Zorb " << zorb;
      ASSERT_EQ(gridded.Count(), plain.Count());
      for (std::int32_t j = 1; j <= plain.Count(); ++j) ASSERT_EQ(gridded[j], plain[j]);
      if (below(3) == 0) plain.Add() = gridded.Add() = shot();
    }
  }
}

// The blast of the bomb's ring (its climb and what it pays: bomb-blast.scn).
constexpr host::Color kRed = host::Rgb(255, 0, 0);

struct BombTest : CombatTest {
  // A bomb about to go off at (300, 200): the blast is centred on (308, 208).
  void Detonate() {
    s.BombX = 300;
    s.BombY = 200;
    s.BombActive = true;
    game::DetonateBomb(*form);
  }
};

TEST_F(BombTest, TheRingCatchesAZorbOnlyByItsCorners) {
  // The top edge of the first 117 below the centre, its corners over 120 away; the second's
  // corners 115 away.
  s.Enemies.Add() = {.Kind = 3, .X = 276, .Y = 325, .Life = 250};
  s.Enemies.Add() = {.Kind = 3, .X = 276, .Y = 318, .Life = 250};
  Detonate();
  ASSERT_EQ(s.Enemies.Count(), 1);
  EXPECT_EQ(s.Enemies[1], (game::Projectile{.Kind = 3, .X = 276, .Y = 325, .Life = 250}));
  EXPECT_EQ(s.Score, 890) << "the one reached by its corners is destroyed";
}

// At normal speed each ring has a present of its own (bomb-ring.scn) and the blast takes a
// fixed 480 ms (bomb-blast.scn and laser.scn print the time).
TEST_F(BombTest, EveryRingIsOnScreenBeforeItIsErasedEvenOnASlowScreen) {
  std::set<int> seen;
  int presents = 0;
  host.onPresent = [&] {
    ++presents;
    for (int r = 1; r <= 120; ++r)
      if (Screen().GetPixel(308 + r, 208) == kRed) seen.insert(r);
    host.HeadlessHost::Sleep(25);
  };
  const std::int64_t start = host.NowMs();
  Detonate();
  EXPECT_EQ(seen.size(), 120u) << "no ring skipped";
  EXPECT_FALSE(AnyPixel(0, 0, 639, 479, kRed)) << "every ring erased";
  EXPECT_LE(presents, 25) << "several rings at once";
  EXPECT_LE(host.NowMs() - start, 480 + 2 * 25) << "at most two slow presents late";
}

struct SoundCuesTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessAudio& audio = host.Audio();
  host::WindowEvents events;
  std::unique_ptr<host::Window> window = host.CreateWindow(host::WindowSpec{}, events);
  game::SoundCues cues{host};
};

// Which cues load, in what order, how they loop and fade is seen in sound-cues.scn and
// music.scn; here are the paths a game cannot take.
TEST_F(SoundCuesTest, AnUnknownCueIsSilentAndASecondLoadRefusesEachCueAlone) {
  cues.PlaySound("SBeep");
  EXPECT_FALSE(audio.DeviceOpen()) << "nothing is loaded before the game window opens";
  cues.LoadSounds(*window);
  EXPECT_TRUE(cues.IsLoaded("SWIN"));
  EXPECT_FALSE(cues.IsLoaded("SNothing"));
  cues.PlaySound("SNothing");
  EXPECT_TRUE(audio.Played().empty());

  const std::vector<std::string> loaded = cues.LoadedCues();
  testing::internal::CaptureStderr();
  cues.LoadSounds(*window);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("skirmora: a sound is already loaded under the key \"SMusic\"; that sound "
                      "stays silent\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 20);
  EXPECT_EQ(cues.LoadedCues(), loaded);
  cues.PlaySound("SSpecial");
  EXPECT_TRUE(cues.Cue("SSpecial")->Playing());
}

TEST_F(SoundCuesTest, ReleasingTheManagerForgetsEveryCueUntilTheNextLoad) {
  cues.LoadSounds(*window);
  cues.PlayLooping("SMusic");
  cues.ReleaseSoundManager();
  EXPECT_TRUE(cues.LoadedCues().empty());
  EXPECT_TRUE(audio.Sounds().empty());
  EXPECT_FALSE(audio.DeviceOpen());
  cues.PlaySound("SBeep");  // a manager made by this use has no window: silent
  EXPECT_FALSE(audio.DeviceOpen());
  EXPECT_EQ(audio.Played().size(), 1u);

  cues.ReleaseSoundManager();
  cues.LoadSounds(*window);
  EXPECT_EQ(cues.LoadedCues().size(), 20u);
}

}  // namespace
