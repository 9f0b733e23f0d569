// The show between waves: banner, messages, fireworks and the counted bonus.
#include "CombatTesting.h"
#include "HeadlessEvents.h"
#include "assets/Assets.h"
#include "game/WaveShow.h"
#include "game/Waves.h"
#include "host/Keys.h"

namespace {

using combat_testing::CombatTest;

// Sleeps of the show: 30 of the banner sliding in, then 46 for each firework (21 rocket
// steps, 25 burst frames), then 35 of the banner sliding out.
constexpr int kSlideIn = 30;
constexpr int kFirework = 46;

struct WaveShowTest : CombatTest {
  int sleeps = 0;
  std::function<void(int sleep)> atSleep;
  WaveShowTest() {
    host.onSleep = [this](int) {
      ++sleeps;
      if (atSleep) atSleep(sleeps);
    };
  }
  // The two banner lines as the window's font prints them on black.
  host::Surface Banner(const std::string& first, const std::string& second) {
    host::Surface banner(640, 50);
    const game::Screen& screen = form->screen;
    banner.DrawText(0, 0, first, screen.font, game::Screen::kTextColor);
    banner.DrawText(0, screen.font.Height(), second, screen.font, game::Screen::kTextColor);
    return banner;
  }
  // The score as the show prints it at the top left.
  host::Surface Tally(int score) {
    host::Surface tally(201, 51);
    tally.DrawText(12, 12, std::to_string(score), form->screen.font, game::Screen::kTextColor);
    return tally;
  }
  bool ShowsTally(int score) {
    const host::Surface expected = Tally(score);
    for (int y = 0; y <= 50; ++y)
      for (int x = 0; x <= 200; ++x)
        if (Screen().GetPixel(x, y) != expected.GetPixel(x, y)) return false;
    return true;
  }
};

TEST_F(WaveShowTest, TheBonusIsCountedUpAndPaidAtTheEnd) {
  struct Case {
    int wave;
    bool rookie;
    int bonus;
  };
  for (const Case& c : {Case{1, false, 250}, Case{2, true, 0}}) {
    s.Wave = c.wave;
    s.RookieMode = c.rookie;
    s.Score = 1000;
    sleeps = 0;
    bool countedFromScore = false, reachedTotal = false;
    atSleep = [&](int sleep) {
      if (sleep == kSlideIn + 22) countedFromScore = ShowsTally(1000 + c.bonus / 75);
      if (sleep == kSlideIn + 3 * kFirework) {
        reachedTotal = ShowsTally(1000 + c.bonus);
        EXPECT_EQ(s.Score, 1000) << "paid only at the end";
      }
    };
    const std::int64_t start = host.NowMs();
    game::CompleteWave(*form);
    EXPECT_TRUE(countedFromScore) << c.wave;
    EXPECT_TRUE(reachedTotal) << c.wave;
    EXPECT_EQ(s.Score, 1000 + c.bonus) << c.wave;
    EXPECT_EQ(s.Wave, c.wave + 1);
    EXPECT_EQ(s.WaveStage, 1);
    EXPECT_EQ(host.NowMs() - start, 8525) << "750 ms in, 6.9 s of fireworks, 875 ms out";
  }
}

TEST_F(WaveShowTest, TheBannerCongratulatesWithTheRightMessage) {
  s.RookieMode = true;
  for (int wave = 1; wave <= 4; ++wave) {
    s.Wave = wave;
    Draws({0.25f});  // picks message 103 where a random one is due
    game::CompleteWave(*form);
    const std::string second = wave <= 3 ? assets::String(200 + wave) : assets::String(103);
    EXPECT_EQ(form->screen.StatusWork, Banner("Congratulations on defeating WAVE " +
                                                  std::to_string(wave) + " of the evil Zorbs.",
                                              second))
        << wave;
  }
  EXPECT_EQ(Played("SWin"), 4);
  s.RookieMode = false;
  s.ReducedSound = true;
  s.Wave = 2;
  game::CompleteWave(*form);
  EXPECT_EQ(form->screen.StatusWork,
            Banner("Congratulations on defeating WAVE 2 of the evil Zorbs.", assets::String(103)))
      << "a normal game always draws a random message";
  EXPECT_EQ(Played("SWin"), 5) << "heard even with reduced sound";
}

TEST_F(WaveShowTest, TheBannerSlidesInFromTheRightAndOutToTheLeft) {
  bool enteredAtRight = false, restedAt40 = false, leftClean = false;
  atSleep = [&](int sleep) {
    const host::Surface& banner = form->screen.StatusWork;
    auto bannerAt = [&](int x) {
      for (int y = 0; y < 50; ++y)
        for (int bx = 0; bx < 640 && x + bx < 640; ++bx)
          if (x + bx >= 0 && Screen().GetPixel(x + bx, 70 + y) != banner.GetPixel(bx, y))
            return false;
      return true;
    };
    if (sleep == 1) enteredAtRight = bannerAt(620);
    if (sleep == kSlideIn) restedAt40 = bannerAt(40);
    if (sleep == kSlideIn + 3 * kFirework + 35) leftClean = AllBlack(0, 70, 639, 120);
  };
  s.Wave = 1;
  game::CompleteWave(*form);
  EXPECT_TRUE(enteredAtRight);
  EXPECT_TRUE(restedAt40);
  EXPECT_TRUE(leftClean) << "nothing of the banner stays behind";
}

TEST_F(WaveShowTest, SparksFadeToBlackAndLeaveNoPixelBehind) {
  Draws({0.5f, 0.1f, 0.9f, 0.3f, 0.7f, 0.2f, 0.6f});
  // What is on the field outside the banner's rows.
  auto litPixels = [this] {
    int lit = 0;
    for (int y = 50; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if ((y < 70 || y > 119) && Screen().GetPixel(x, y) != host::kBlack) ++lit;
    return lit;
  };
  int litMidBurst = 0, litAtEnd = 0;
  atSleep = [&](int sleep) {
    if (sleep <= kSlideIn || sleep > kSlideIn + 3 * kFirework) return;
    const int step = (sleep - kSlideIn - 1) % kFirework;
    if (step == 21 + 12) litMidBurst += litPixels();
    if (step == kFirework - 1) litAtEnd += litPixels();
  };
  s.Wave = 1;
  game::CompleteWave(*form);
  EXPECT_GT(litMidBurst, 0) << "the sparks were seen";
  EXPECT_EQ(litAtEnd, 0) << "and are black on each burst's last frame";
}

TEST_F(WaveShowTest, KeysPressedDuringTheShowActOnlyAfterIt) {
  s.WaveStage = 4;  // wave 1's last stage: the next set-up runs the show
  bool actedEarly = false;
  atSleep = [&](int sleep) {
    if (sleep == 1) {
      // The player starts flying right and pauses while the banner slides in.
      host.PostKeyDown(host::vk::Right, 0);
      host.PostKeyDown(host::vk::Letter('P'), 0);
      host.PostKeyUp(host::vk::Letter('P'), 0);
    } else if (s.MoveX != 0 || s.Paused) {
      actedEarly = true;
    }
  };
  game::SetUpWave(*form);
  EXPECT_EQ(sleeps, kSlideIn + 3 * kFirework + 35) << "the whole show ran";
  EXPECT_FALSE(actedEarly);
  EXPECT_TRUE(form->GameTimer().Enabled()) << "the game was not paused when the show ended";
  testing_events::DeliverPending(host);
  EXPECT_EQ(s.MoveX, -1) << "the ship flies right";
  EXPECT_TRUE(s.Paused);
  EXPECT_FALSE(form->GameTimer().Enabled());
}

TEST_F(WaveShowTest, RandomMessagesComeFromTheWholeTable) {
  for (const auto& [draw, id] :
       {std::pair{0.0f, 101}, std::pair{0.5f, 106}, std::pair{0.95f, 110}}) {
    Draws({draw});
    EXPECT_EQ(game::RandomMessage(game), assets::String(id)) << draw;
  }
}

}  // namespace
