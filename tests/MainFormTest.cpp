#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/Flow.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"
#include "game/Waves.h"
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
  // Whether the 20 x 20 square at (x, y) of the status bar shows the power-up cell.
  bool ShowsCell(int x, int y, int cell) {
    using testing_surfaces::Crop;
    return Crop(Screen(), x, y, 20, 20) ==
           Crop(assets::Picture("PowerUpsPic"), 20 * cell, 0, 20, 20);
  }
  bool AnyInk(int x1, int y1, int x2, int y2) {
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x)
        if (Screen().GetPixel(x, y) != host::kBlack) return true;
    return false;
  }
};

TEST_F(MainFormTest, LoadingSwitchesTheScreenSaverOffAndUnloadingBack) {
  EXPECT_FALSE(host.ScreenSaverFlag());
  EXPECT_TRUE(s.ScreenSaverWasActive);
  EXPECT_TRUE(s.KeyboardMode) << "no joystick answers";
  EXPECT_EQ(s.MusicVolume, -10000);
  EXPECT_TRUE(form->Window().Topmost());
  form->Unload();
  EXPECT_TRUE(host.ScreenSaverFlag());
  EXPECT_FALSE(form->Window().Visible());
}

TEST_F(MainFormTest, TheStatusBarShowsBombsBarsAndIcons) {
  s.GameRunning = true;
  s.Hull = 100;
  s.Energy = 0;
  for (int bombs : {0, 3, 4}) {  // the icons stop at three, with a plus beyond
    s.Bombs = bombs;
    game::UpdateStatus(*form);
    EXPECT_EQ(ShowsCell(605, 10, 1), bombs >= 1) << bombs;
    EXPECT_EQ(ShowsCell(555, 10, 1), bombs >= 3) << bombs;
    EXPECT_EQ(AnyInk(630, 10, 639, 40), bombs > 3) << bombs;
  }
  EXPECT_TRUE(AnyInk(539, 10, 539, 17)) << "a full hull is 200 pixels";
  EXPECT_FALSE(AnyInk(540, 10, 545, 17));
  EXPECT_FALSE(AnyInk(340, 20, 545, 27)) << "no energy draws nothing";
  EXPECT_TRUE(ShowsCell(310, 10, 2));
  EXPECT_FALSE(ShowsCell(275, 10, 7));
  s.RechargeTime = 40;
  s.RookieMode = true;
  s.Hull = -7;
  game::UpdateStatus(*form);
  EXPECT_TRUE(ShowsCell(310, 10, 6));
  EXPECT_TRUE(ShowsCell(275, 10, 7));
  EXPECT_EQ(s.Hull, 0) << "a negative hull is shown and kept as 0";
}

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
