#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "SurfaceTesting.h"
#include "game/Flow.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct MainFormTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  game::GameState& s = game.state;
  std::unique_ptr<game::MainForm> form;

  MainFormTest() {
    form = std::make_unique<game::MainForm>(game);
    form->Window().Show();
  }
  const host::Surface& Screen() { return form->Window().Canvas(); }
};

// The bar is redrawn only where a value changed. After any change, and after anything else
// drew on the bar's buffer or over the window's bar, the window must show what composing the
// whole bar afresh shows.
TEST_F(MainFormTest, TheStatusBarRedrawnPartByPartLooksLikeTheWholeBar) {
  using testing_surfaces::Crop;
  std::mt19937 random(5);
  const auto below = [&](int n) { return static_cast<std::int32_t>(random() % n); };
  s.GameRunning = true;
  for (int step = 0; step < 400; ++step) {
    for (int change = 1 + below(3); change > 0; --change) {
      switch (below(10)) {
        case 0:
          s.Score = below(2) ? below(100000) : std::numeric_limits<std::int32_t>::max() - below(9);
          break;
        case 1:
          s.Paused = !s.Paused;
          break;
        case 2:
          s.Bombs = below(6);
          break;
        case 3:
          s.RechargeTime = below(2) * 40;
          break;
        case 4:
          s.Hull = below(120) - 10;
          break;
        case 5:
          s.Energy = below(120) - 10;
          break;
        case 6:
          s.RookieMode = !s.RookieMode;
          break;
        case 7:
          s.GameRunning = !s.GameRunning;  // the help lines, as F1 shows them
          break;
        case 8:
          form->screen.canvas.SetPixel(below(640), 45 + below(10), host::kWhite);  // debris
          break;
        default:
          form->screen.StatusWork.FillRect(0, 0, 639, 49, host::kWhite);  // the wave banner
          break;
      }
    }
    game::UpdateStatus(*form);
    ASSERT_GE(s.Hull, 0) << "a negative hull is shown and kept as 0";
    const host::Surface partByPart = Crop(Screen(), 0, 0, 640, 50);
    form->statusShown = {};
    game::UpdateStatus(*form);
    ASSERT_EQ(partByPart, Crop(Screen(), 0, 0, 640, 50)) << "step " << step;
  }
}

TEST_F(MainFormTest, NewGameBeforeTheWindowShowsLeavesTheShipAtItsStart) {
  form = std::make_unique<game::MainForm>(game);  // loaded, not shown yet
  s.Score = 900;
  s.Cheated = true;
  s.Shots.Add();
  s.WeaponLevel = 5;
  game::NewGame(*form);
  EXPECT_EQ(s.ShipX, 287);
  EXPECT_EQ(s.ShipY, 50) << "the glide home needs the window on screen";
  EXPECT_EQ(s.Score, 0);
  EXPECT_FALSE(s.Cheated);
  EXPECT_EQ(s.Bombs, 1);
  EXPECT_EQ(s.Shots.Count(), 0);
  EXPECT_EQ(s.WeaponLevel, 0);
  EXPECT_EQ(s.WeaponReload, 5);
  EXPECT_EQ(s.VolleyTimer, 20);
  EXPECT_EQ(host.NowMs(), 0);
  EXPECT_FALSE(form->GameTimer().Enabled()) << "no game runs yet";
}

}  // namespace
