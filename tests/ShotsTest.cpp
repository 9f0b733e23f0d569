// Shots in flight, homing photons, hits on the ship, the laser, explosions and debris.
#include <random>

#include "CombatTesting.h"
#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/ShotGrid.h"

namespace {

using combat_testing::CombatTest;
using game::Projectile;
using testing_surfaces::Crop;

using ShotsTest = CombatTest;

TEST_F(ShotsTest, ShotsFlyUntilTheyLeaveAtTheTopOrBottom) {
  PlayerShot(0, 100, 70);
  PlayerShot(1, 100, 55);          // above row 50 after this frame
  ZorbShot(0, 100, 470, 0, 15);    // below row 480
  PlayerShot(2, 630, 300, 10, 0);  // slides off sideways
  Frame();
  ASSERT_EQ(s.Shots.Count(), 2);
  EXPECT_EQ(s.Shots[1].Y, 58);
  EXPECT_EQ(s.Shots[2].X, 640) << "kept, though off the screen";
  for (int frame = 0; frame < 100; ++frame) Frame();
  ASSERT_EQ(s.Shots.Count(), 1);
  EXPECT_EQ(s.Shots[1].X, 1640);
  EXPECT_EQ(s.Shots[1].Y, 300);
}

TEST_F(ShotsTest, ShotsAreDrawnFromTheirCellsAndErasedAsTheyMove) {
  const host::Surface& blaster = assets::Picture("BlasterPic");
  const host::Surface& weapons = assets::Picture("WeaponsPic");
  PlayerShot(0, 100, 300, 0, 0);
  ZorbShot(0, 120, 300, 0, 0);
  PlayerShot(4, 140, 300, 0, 0);
  PlayerShot(5, 180, 300, 0, 0);
  PlayerShot(3, 220, 300, 0, -10);
  Frame();
  EXPECT_EQ(Crop(Screen(), 100, 300, 4, 4), Crop(blaster, 0, 0, 4, 4));
  EXPECT_EQ(Crop(Screen(), 120, 300, 4, 4), Crop(blaster, 4, 0, 4, 4)) << "the red one";
  EXPECT_EQ(Crop(Screen(), 140, 300, 16, 16), Crop(weapons, 32, 0, 16, 16));
  EXPECT_EQ(Crop(Screen(), 180, 300, 16, 16), Crop(weapons, 48, 0, 16, 16));
  EXPECT_EQ(Crop(Screen(), 220, 290, 16, 16), Crop(weapons, 0, 0, 16, 16)) << "kind 3: the bolt";
  EXPECT_TRUE(AllBlack(220, 306, 235, 315)) << "where the moving shot was";
}

TEST_F(ShotsTest, ZorbShotsHurtTheShipAndThePlayersDoNot) {
  ZorbShot(0, 300, 410, 0, 6);
  ZorbShot(5, 290, 395, 0, 10);  // a photon, homing on the ship
  PlayerShot(0, 320, 440);
  MarkStatusBar();
  Frame();
  EXPECT_EQ(s.Hull, 70) << "10 for the blaster shot, 20 for the photon";
  ASSERT_EQ(s.Shots.Count(), 1);
  EXPECT_EQ(s.Shots[1].Friendly, -1);
  EXPECT_TRUE(StatusBarRedrawn());
}

TEST_F(ShotsTest, PhotonsHomeInAndKeepAdvancing) {
  Enemy(0, 300, 100, 10);
  PlayerShot(5, 100, 300, 0, -15);
  ZorbShot(5, 300, 200, 0, 10);
  PlayerShot(5, 200, 400, 0, -15).Target = 7;  // past the end of the list: a new target
  Frame();
  // A tenth of the way from the photon's centre to the target's lower right corner.
  EXPECT_EQ(s.Shots[1].X, 120);
  EXPECT_EQ(s.Shots[1].Y, 280);
  EXPECT_EQ(s.Shots[1].Target, 1);
  // The Zorbs' photon falls at least its DY; far above the ship, homing takes it further.
  EXPECT_EQ(s.Shots[2].X, 304);
  EXPECT_EQ(s.Shots[2].Y, 227);
  EXPECT_EQ(s.Shots[3].Target, 1);

  s.Enemies.Clear();
  s.Shots.Clear();
  PlayerShot(5, 100, 300, 0, -15);
  Frame();
  EXPECT_EQ(s.Shots[1].X, 100) << "no enemy: straight up";
  EXPECT_EQ(s.Shots[1].Y, 285);
}

TEST_F(ShotsTest, AnExplosionBlacksOutTheZorbAndThrowsDebris) {
  Enemy(2, 200, 60, 10);
  Frame();
  EXPECT_FALSE(AllBlack(200, 60, 247, 107));
  PlayerShot(0, 210, 90);
  Draws({0.5f, 0.5f, 0.0f, 0.999f});
  Frame();
  EXPECT_EQ(Played("SExplode"), 1);
  ASSERT_EQ(s.Debris.Count(), 10);
  EXPECT_EQ(s.Debris[1], (Projectile{.X = 224, .Y = 84, .DX = -5, .DY = 5}));
  EXPECT_EQ(s.Debris[2], (Projectile{.X = 224, .Y = 84}));
  EXPECT_EQ(s.Debris[3], (Projectile{.X = 224, .Y = 84, .DX = -5, .DY = 5}));
  s.ReducedSound = true;
  Enemy(0, 400, 100, 10);
  PlayerShot(0, 392, 115);
  Draws({0.5f});
  Frame();
  EXPECT_EQ(s.Score, 260);
  EXPECT_EQ(Played("SExplode"), 1) << "silent in reduced-sound mode";
}

TEST_F(ShotsTest, DebrisFallsGreyAndVanishes) {
  AddTo(s.Debris, {.X = 100, .Y = 100, .DX = 2, .DY = -5});
  AddTo(s.Debris, {.X = 100, .Y = 200, .DX = 1, .DY = -1});
  AddTo(s.Debris, {.X = 640, .Y = 200, .DX = 1, .DY = 1});  // already off the field
  AddTo(s.Debris, {.X = 300, .Y = 200, .DX = 1, .DY = 1});
  Draws({0.5f, 0.5f, 0.5f, 0.05f, 0.5f, 0.005f});
  Frame();
  ASSERT_EQ(s.Debris.Count(), 2) << "the one outside and the one that lost its 1 % draw";
  EXPECT_EQ(s.Debris[1], (Projectile{.X = 102, .Y = 96, .DX = 2, .DY = -4}))
      << "fast upwards: slowed";
  EXPECT_EQ(s.Debris[2], (Projectile{.X = 101, .Y = 201, .DX = 1, .DY = 1}))
      << "pulled down; never resting at 0";
  EXPECT_EQ(Screen().GetPixel(102, 96), host::Rgb(160, 160, 160));
  Draws({0.5f});
  Frame();
  EXPECT_EQ(Screen().GetPixel(102, 96), host::kBlack);
}

TEST_F(ShotsTest, TheLaserTakesFiftyAFrameAndSparesNoneButBeamers) {
  s.LaserX = 318;
  s.ShipX = 450;
  Enemy(3, 290, 60, 250);
  Enemy(0, 310, 420, 10);          // not above the ship: out of the laser's reach
  PlayerShot(0, 300, 80, 0, -10);  // would hit the big Zorb, but the laser touched it
  Frame();
  EXPECT_EQ(s.Enemies[1].Life, 200);
  EXPECT_EQ(s.Enemies[1].X, 295) << "a survivor dodges to a drawn column (0.5 x 590)";
  EXPECT_EQ(s.Shots.Count(), 1) << "no shot test for a Zorb the laser touched";
  ASSERT_EQ(s.Enemies.Count(), 2);

  s.Enemies.Clear();
  Enemy(2, 300, 60, 20).BeamTime = 3;
  Frame();
  ASSERT_EQ(s.Enemies.Count(), 1) << "a beaming Zorb survives the laser";
  EXPECT_EQ(s.Enemies[1].Life, -30);
  EXPECT_EQ(s.Enemies[1].X, 300) << "and does not dodge";

  // The beam reaches one pixel beyond either side of a Zorb.
  for (const auto& [laser, touched] :
       {std::pair{299, true}, std::pair{298, false}, std::pair{333, true}, std::pair{334, false}}) {
    s.Enemies.Clear();
    s.LaserX = laser;
    Enemy(1, 300, 60, 100);
    Frame();
    EXPECT_EQ(s.Enemies[1].Life, touched ? 50 : 100) << laser;
  }
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
      return Projectile{.Kind = below(6), .X = below(spread) - 60, .Y = below(spread)};
    };
    game::ProjectileList plain, gridded;
    for (int n = below(300); n > 0; --n) plain.Add() = gridded.Add() = shot();
    game::ShotGrid grid;
    grid.Build(gridded);
    for (int zorb = 0; zorb < 60; ++zorb) {
      const std::int32_t x = below(spread) - 60, y = below(spread), w = 16 * (1 + below(4));
      const int stopAt = 1 + below(6);
      // What a step does depends only on the shot and on how many shots came before it.
      std::vector<std::pair<std::int32_t, Projectile>> seen[2];
      const auto step = [&](int pass, game::ProjectileList& list, std::int32_t j, auto remove) {
        seen[pass].emplace_back(j, list[j]);
        if (list[j].Kind == 3) return game::Visit::Next;
        remove();
        const bool stop = static_cast<int>(seen[pass].size()) == stopAt;
        return stop ? game::Visit::Stop : game::Visit::Removed;
      };
      game::ForEachEntry(
          plain, [&](const Projectile& p) { return game::OnSquare(p, x, y, w); },
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

}  // namespace
