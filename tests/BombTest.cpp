// The blast of the bomb's ring (its climb and what it pays: bomb-blast.scn).
#include <set>

#include "CombatTesting.h"
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
};

TEST_F(BombTest, TheRingCatchesAZorbOnlyByItsCorners) {
  Enemy(3, 276, 325, 250);  // the top edge 117 below the centre, the corners over 120 away
  Enemy(3, 276, 318, 250);  // the corners 115 away
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

}  // namespace
