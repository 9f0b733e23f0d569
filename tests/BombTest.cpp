// The bomb's climb and the blast of its ring.
#include <set>
#include <utility>

#include "CombatTesting.h"
#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/Bomb.h"

namespace {

using combat_testing::CombatTest;

constexpr host::Color kRed = host::Rgb(255, 0, 0);

struct BombTest : CombatTest {
  // A bomb about to go off at (300, 200): the blast is centred on (308, 208).
  void Detonate() {
    s.BombX = 300;
    s.BombY = 200;
    s.BombActive = true;
    game::DetonateBomb(*form);
  }
  bool AnyRed() { return AnyPixel(0, 0, 639, 479, kRed); }
};

TEST_F(BombTest, ABombNeverDetonatedComesBackIntoStockAtTheTop) {
  s.Bombs = 0;
  s.BombActive = true;
  s.BombX = 300;
  s.BombY = 100;
  Frame();
  EXPECT_EQ(s.BombY, 91);
  EXPECT_EQ(testing_surfaces::Crop(Screen(), 300, 91, 16, 16),
            testing_surfaces::Crop(assets::Picture("WeaponsPic"), 64, 0, 16, 16));
  for (int frame = 2; frame <= 5; ++frame) Frame();
  EXPECT_TRUE(s.BombActive) << "at row 55";
  MarkStatusBar();
  Frame();
  EXPECT_FALSE(s.BombActive);
  EXPECT_EQ(s.Bombs, 1);
  EXPECT_TRUE(StatusBarRedrawn());
  EXPECT_TRUE(AllBlack(300, 50, 315, 70)) << "no bomb left drawn";
}

TEST_F(BombTest, TheRingPaysBombValuesSparesBeamersAndWhatOnlyItsMiddleCrosses) {
  Enemy(0, 280, 180, 10);
  Enemy(1, 330, 230, 50);
  Enemy(2, 250, 250, 50);
  Enemy(3, 340, 150, 50);
  Enemy(2, 290, 150, 250).BeamTime = 4;
  Enemy(3, 276, 325, 250);  // top edge 117 below the centre, corners over 120 away
  Enemy(0, 500, 420, 10);   // out of reach
  Detonate();
  EXPECT_EQ(s.Score, 10 + 70 + 390 + 890);
  std::multiset<std::pair<int, int>> left;  // kind and life of what is left: nothing splits
  for (int i = 1; i <= s.Enemies.Count(); ++i) left.emplace(s.Enemies[i].Kind, s.Enemies[i].Life);
  EXPECT_EQ(left, (std::multiset<std::pair<int, int>>{{0, 10}, {2, 250}, {3, 250}}));
  EXPECT_EQ(s.PowerUps.Count(), 0);
  EXPECT_EQ(s.Debris.Count(), 0);
  EXPECT_TRUE(Heard().empty()) << "no cue of its own";
  EXPECT_TRUE(form->GameTimer().Enabled()) << "the game goes on after the blast";
}

TEST_F(BombTest, EveryRingIsOnScreenBeforeItIsErasedEvenOnASlowScreen) {
  for (int presentMs : {0, 25}) {
    std::set<int> seen;
    int presents = 0;
    host.onPresent = [&] {
      ++presents;
      for (int r = 1; r <= 120; ++r)
        if (Screen().GetPixel(308 + r, 208) == kRed) seen.insert(r);
      host.HeadlessHost::Sleep(presentMs);
    };
    const std::int64_t start = host.NowMs();
    Detonate();
    EXPECT_EQ(seen.size(), 120u) << "no ring skipped, " << presentMs;
    EXPECT_FALSE(AnyRed()) << "every ring erased, " << presentMs;
    if (presentMs == 0) {
      EXPECT_EQ(host.NowMs() - start, 480) << "a fixed half second";
    } else {
      EXPECT_LE(presents, 25) << "several rings at once";
      EXPECT_LE(host.NowMs() - start, 480 + 2 * 25) << "at most two slow presents late";
    }
  }
}

}  // namespace
