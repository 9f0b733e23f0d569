#pragma once
// A running game on a headless, visible game window, for the combat tests: the state set
// up by hand, the random draws pinned, the cues and the presented frames recorded.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/MainForm.h"
#include "game/Projectiles.h"
#include "game/StatusBar.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace combat_testing {

// The headless back end, with a look at the screen at every Present and Sleep.
struct WatchedHost : host::HeadlessHost {
  WatchedHost() : host::HeadlessHost(std::make_unique<host::MemoryRegistryStore>()) {}
  std::function<void()> onPresent;
  std::function<void(int ms)> onSleep;
  void Present() override {
    if (onPresent) onPresent();
    host::HeadlessHost::Present();
  }
  void Sleep(int ms) override {
    if (onSleep) onSleep(ms);
    host::HeadlessHost::Sleep(ms);
  }
};

struct CombatTest : ::testing::Test {
  WatchedHost host;
  game::Game game{host};
  game::GameState& s = game.state;
  std::unique_ptr<game::MainForm> form;

  CombatTest() {
    form = std::make_unique<game::MainForm>(game);
    form->Window().Show();
    game.sound.LoadSounds(form->Window());
    s.GameRunning = true;
    s.Hull = s.Energy = 100;
    s.ShipX = 287;
    s.ShipY = 415;
    s.Wave = s.WaveStage = 1;
    s.Bombs = 1;
    s.VolleyTimer = 20;
    game::SetWeapon(s, 0);
    // Nothing happens by chance: no fire rolls, no turns, no jumps, no vanishing debris.
    Draws({0.5f});
  }

  // Every random draw from now on returns these values in turn, cycling.
  void Draws(std::vector<float> values) { game.random.Force(std::move(values)); }

  host::Surface& Screen() { return form->Window().Canvas(); }
  // The cues started since the last ForgetHeard, oldest first.
  std::uint64_t heardBefore = 0;
  void ForgetHeard() { heardBefore = host.Audio().StartCount(); }
  std::vector<std::string> Heard() {
    std::vector<std::string> names;
    for (const host::HeadlessPlay& play : host.Audio().PlayedSince(heardBefore))
      names.push_back(play.name);
    return names;
  }
  bool AnyPixel(int x1, int y1, int x2, int y2, host::Color c) {
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x)
        if (Screen().GetPixel(x, y) == c) return true;
    return false;
  }
};

}  // namespace combat_testing
