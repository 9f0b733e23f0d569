// What the busiest moments of a game cost on the game window's surface: one movement pass
// over a crowded field, and a whole bomb blast in it (presenting is the back end's business).
#include <benchmark/benchmark.h>

#include "game/Bomb.h"
#include "game/MainForm.h"
#include "game/Projectiles.h"
#include "game/StatusBar.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

// A stress scene: 200 Zorbs of every kind over the field, 500 shots of both sides in
// flight, 1,000 debris pixels and 50 falling power-ups.
struct StressScene {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  game::MainForm form{game};
  game::GameState start;

  StressScene() {
    form.Window().Show();
    game::GameState& s = game.state;
    s.GameRunning = true;
    s.Hull = s.Energy = 100;
    s.ShipX = 287;
    s.ShipY = 415;
    s.Wave = 12;
    s.VolleyTimer = 0;
    game.random.Seed(12345);
    auto below = [this](int n) { return static_cast<std::int32_t>(game.random.Next() * n); };
    for (int i = 0; i < 200; ++i) {
      const std::int32_t kind = i % 4;
      s.Enemies.Add() = {.Kind = kind,
                         .X = below(570),
                         .Y = 50 + below(kind < 2 ? 250 : 25),
                         .DX = below(9) - 4,
                         .DY = 1 + below(3),
                         .Life = 250};
    }
    for (int i = 0; i < 500; ++i) {
      const bool friendly = i % 2 == 0;
      s.Shots.Add() = {.Kind = friendly ? i % 6 : 0,
                       .Friendly = friendly ? -1 : 0,
                       .X = below(630),
                       .Y = 60 + below(400),
                       .DY = friendly ? -12 : 6};
    }
    for (int i = 0; i < 1000; ++i)
      s.Debris.Add() = {
          .X = below(640), .Y = 60 + below(400), .DX = below(11) - 5, .DY = below(11) - 5};
    for (int i = 0; i < 50; ++i)
      s.PowerUps.Add() = {.Kind = i % 7, .X = below(600), .Y = 60 + below(300), .DY = 3};
    start = s;
  }
  // Back to the scene as it was built: every measured run starts from the same crowd.
  void Reset() {
    game::GameState& s = game.state;
    s.Shots = start.Shots;
    s.Debris = start.Debris;
    s.Enemies = start.Enemies;
    s.PowerUps = start.PowerUps;
    s.Score = 0;
    s.Hull = s.Energy = 100;
  }
};

void BM_StressFrame(benchmark::State& state) {
  StressScene scene;
  for (auto _ : state) {
    state.PauseTiming();
    scene.Reset();
    state.ResumeTiming();
    bool statusChanged = false;
    game::MoveProjectiles(scene.form, statusChanged);
    if (statusChanged) game::UpdateStatus(scene.form);
    benchmark::DoNotOptimize(scene.game.state.Score);
  }
}
BENCHMARK(BM_StressFrame)->Unit(benchmark::kMicrosecond);

void BM_BombBlastInTheStressScene(benchmark::State& state) {
  StressScene scene;
  game::GameState& s = scene.game.state;
  for (auto _ : state) {
    state.PauseTiming();
    scene.Reset();
    s.BombActive = true;
    s.BombX = 300;
    s.BombY = 250;
    state.ResumeTiming();
    game::DetonateBomb(scene.form);
    benchmark::DoNotOptimize(s.Score);
  }
}
BENCHMARK(BM_BombBlastInTheStressScene)->Unit(benchmark::kMicrosecond);

}  // namespace
