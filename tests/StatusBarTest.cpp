#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>

#include "SurfaceTesting.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

// The bar is redrawn only where a value changed. After any change, and after anything else
// drew on the bar's buffer or over the window's bar, the window must show what composing the
// whole bar afresh shows.
TEST(StatusBarTest, RedrawnPartByPartItLooksLikeTheWholeBar) {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  game::GameState& s = game.state;
  game::MainForm form(game);
  form.Window().Show();
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
      [&] { form.screen.canvas.SetPixel(below(640), 45 + below(10), host::kWhite); },  // debris
      [&] { form.screen.StatusWork.FillRect(0, 0, 639, 49, host::kWhite); },  // the wave banner
  };
  s.GameRunning = true;
  for (int step = 0; step < 400; ++step) {
    for (int change = 1 + below(3); change > 0; --change) changes[below(10)]();
    game::UpdateStatus(form);
    ASSERT_GE(s.Hull, 0) << "a negative hull is shown and kept as 0";
    const host::Surface partByPart = Crop(form.Window().Canvas(), 0, 0, 640, 50);
    form.statusShown = {};
    game::UpdateStatus(form);
    ASSERT_EQ(partByPart, Crop(form.Window().Canvas(), 0, 0, 640, 50)) << "step " << step;
  }
}

}  // namespace
