// The show between waves: banner, messages, fireworks, and the keys pressed meanwhile.
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
};

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
  EXPECT_EQ(s.Score, 0) << "a Rookie earns no bonus";
  s.RookieMode = false;
  s.ReducedSound = true;
  s.Wave = 2;
  game::CompleteWave(*form);
  EXPECT_EQ(form->screen.StatusWork,
            Banner("Congratulations on defeating WAVE 2 of the evil Zorbs.", assets::String(103)))
      << "a normal game always draws a random message";
  EXPECT_EQ(Played("SWin"), 5) << "heard even with reduced sound";
}

// The bonus counted up, the banner at rest and the sparks are seen in wave-banner.scn's
// picture, the bonus paid in cheat.scn and waves.scn.
TEST_F(WaveShowTest, SparksAndTheBannerLeaveNoPixelBehind) {
  Draws({0.5f, 0.1f, 0.9f, 0.3f, 0.7f, 0.2f, 0.6f});
  // What is on the field outside the banner's rows.
  auto litPixels = [this] {
    int lit = 0;
    for (int y = 50; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if ((y < 70 || y > 119) && Screen().GetPixel(x, y) != host::kBlack) ++lit;
    return lit;
  };
  // Whether the banner's picture shows at column x of rows 70 to 119.
  auto bannerAt = [&](int x) {
    const host::Surface& banner = form->screen.StatusWork;
    for (int y = 0; y < 50; ++y)
      for (int bx = 0; bx < 640 && x + bx < 640; ++bx)
        if (Screen().GetPixel(x + bx, 70 + y) != banner.GetPixel(bx, y)) return false;
    return true;
  };
  int litMidBurst = 0, litAtEnd = 0;
  bool enteredAtRight = false, bannerLeftClean = false;
  atSleep = [&](int sleep) {
    if (sleep == 1) enteredAtRight = bannerAt(620);
    if (sleep == kSlideIn + 3 * kFirework + 35) bannerLeftClean = AllBlack(0, 70, 639, 120);
    if (sleep <= kSlideIn || sleep > kSlideIn + 3 * kFirework) return;
    const int step = (sleep - kSlideIn - 1) % kFirework;
    if (step == 21 + 12) litMidBurst += litPixels();
    if (step == kFirework - 1) litAtEnd += litPixels();
  };
  s.Wave = 1;
  game::CompleteWave(*form);
  EXPECT_GT(litMidBurst, 0) << "the sparks were seen";
  EXPECT_EQ(litAtEnd, 0) << "and are black on each burst's last frame";
  EXPECT_TRUE(enteredAtRight) << "the banner slides in from the right";
  EXPECT_TRUE(bannerLeftClean) << "nothing of the banner stays behind";
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
