// The status bar and the show between waves: the bar redrawn part by part, the banner's
// messages and the keys pressed meanwhile (the pictures are seen in wave-banner.scn).
#include <functional>
#include <limits>
#include <random>

#include "CombatTesting.h"
#include "HeadlessEvents.h"
#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/WaveShow.h"
#include "game/Waves.h"
#include "host/Keys.h"

namespace {

using combat_testing::CombatTest;

struct WaveShowTest : CombatTest {
  // The two banner lines as the window's font prints them on black.
  host::Surface Banner(const std::string& first, const std::string& second) {
    host::Surface banner(640, 50);
    const game::Screen& screen = form->screen;
    banner.DrawText(0, 0, first, screen.font, game::Screen::kTextColor);
    banner.DrawText(0, screen.font.Height(), second, screen.font, game::Screen::kTextColor);
    return banner;
  }
};

TEST_F(WaveShowTest, TheBannerCongratulatesWithTheRightMessageFromTheWholeTable) {
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
  EXPECT_EQ(std::ranges::count(Heard(), "SWin"), 4);
  EXPECT_EQ(s.Score, 0) << "a Rookie earns no bonus";
  s.RookieMode = false;
  s.ReducedSound = true;
  s.Wave = 2;
  game::CompleteWave(*form);
  EXPECT_EQ(form->screen.StatusWork,
            Banner("Congratulations on defeating WAVE 2 of the evil Zorbs.", assets::String(103)))
      << "a normal game always draws a random message";
  EXPECT_EQ(std::ranges::count(Heard(), "SWin"), 5) << "heard even with reduced sound";
  for (const auto& [draw, id] :
       {std::pair{0.0f, 101}, std::pair{0.5f, 106}, std::pair{0.95f, 110}}) {
    Draws({draw});
    EXPECT_EQ(game::RandomMessage(game), assets::String(id)) << "random messages: " << draw;
  }
}

TEST_F(WaveShowTest, KeysPressedDuringTheShowActOnlyAfterIt) {
  s.WaveStage = 4;  // wave 1's last stage: the next set-up runs the show
  int sleeps = 0;
  bool actedEarly = false;
  host.onSleep = [&](int) {
    if (++sleeps == 1) {
      // The player starts flying right and pauses while the banner slides in.
      host.PostKeyDown(host::vk::Right, 0);
      host.PostKeyDown(host::vk::Letter('P'), 0);
      host.PostKeyUp(host::vk::Letter('P'), 0);
    } else if (s.MoveX != 0 || s.Paused) {
      actedEarly = true;
    }
  };
  game::SetUpWave(*form);
  // 30 sleeps of the banner sliding in, 46 for each of three fireworks, 35 sliding out.
  EXPECT_EQ(sleeps, 30 + 3 * 46 + 35) << "the whole show ran";
  EXPECT_FALSE(actedEarly);
  EXPECT_TRUE(form->GameTimer().Enabled()) << "the game was not paused when the show ended";
  testing_events::DeliverPending(host);
  EXPECT_EQ(s.MoveX, -1) << "the ship flies right";
  EXPECT_TRUE(s.Paused);
  EXPECT_FALSE(form->GameTimer().Enabled());
}

// The bar is redrawn only where a value changed. After any change, and after anything else
// drew on the bar's buffer or over the window's bar, the window must show what composing the
// whole bar afresh shows.
TEST_F(WaveShowTest, TheStatusBarRedrawnPartByPartLooksLikeTheWholeBar) {
  using testing_surfaces::Crop;
  std::mt19937 random(5);
  const auto below = [&](int n) { return static_cast<std::int32_t>(random() % n); };
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::function<void()> changes[] = {
      [&] { s.Score = below(2) ? below(100000) : kMax - below(9); },
      [&] { s.Paused = !s.Paused; },
      [&] { s.Bombs = below(6); },
      [&] { s.RechargeTime = below(2) * 40; },
      [&] { s.Hull = below(120) - 10; },
      [&] { s.Energy = below(120) - 10; },
      [&] { s.RookieMode = !s.RookieMode; },
      [&] { s.GameRunning = !s.GameRunning; },  // the help lines, as F1 shows them
      [&] { form->screen.canvas.SetPixel(below(640), 45 + below(10), host::kWhite); },  // debris
      [&] { form->screen.StatusWork.FillRect(0, 0, 639, 49, host::kWhite); },  // the wave banner
  };
  s.GameRunning = true;
  for (int step = 0; step < 400; ++step) {
    for (int change = 1 + below(3); change > 0; --change) changes[below(10)]();
    game::UpdateStatus(*form);
    ASSERT_GE(s.Hull, 0) << "a negative hull is shown and kept as 0";
    const host::Surface partByPart = Crop(form->Window().Canvas(), 0, 0, 640, 50);
    form->statusShown = {};
    game::UpdateStatus(*form);
    ASSERT_EQ(partByPart, Crop(form->Window().Canvas(), 0, 0, 640, 50)) << "step " << step;
  }
}

}  // namespace
