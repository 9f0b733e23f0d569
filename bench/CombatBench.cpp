// What the busiest moments of a game cost on the game window's surface: one movement pass
// over a crowded field, the same pass as the crowd grows, and a whole bomb blast in the
// crowd (presenting is the back end's business).
#include <benchmark/benchmark.h>

#include "game/Bomb.h"
#include "game/MainForm.h"
#include "game/Projectiles.h"
#include "game/StatusBar.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

// A crowd of Zorbs of every kind over the field and shots of both sides in flight, with
// five debris pixels for each Zorb and a power-up for every four. The stress scene is 200
// Zorbs and 500 shots (1,000 debris pixels, 50 power-ups).
struct StressScene {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  game::MainForm form{game};
  game::GameState start;

  explicit StressScene(int enemies = 200, int shots = 500) {
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
    for (int i = 0; i < enemies; ++i) {
      const std::int32_t kind = i % 4;
      s.Enemies.Add() = {.Kind = kind,
                         .X = below(570),
                         .Y = 50 + below(kind < 2 ? 250 : 25),
                         .DX = below(9) - 4,
                         .DY = 1 + below(3),
                         .Life = 250};
    }
    for (int i = 0; i < shots; ++i) {
      const bool friendly = i % 2 == 0;
      s.Shots.Add() = {.Kind = friendly ? i % 6 : 0,
                       .Friendly = friendly ? -1 : 0,
                       .X = below(630),
                       .Y = 60 + below(400),
                       .DY = friendly ? -12 : 6};
    }
    for (int i = 0; i < 5 * enemies; ++i)
      s.Debris.Add() = {
          .X = below(640), .Y = 60 + below(400), .DX = below(11) - 5, .DY = below(11) - 5};
    for (int i = 0; i < enemies / 4; ++i)
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

// One movement pass over the scene, the status bar redrawn as the frame does.
void MeasureFrames(benchmark::State& state, StressScene& scene) {
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

void BM_StressFrame(benchmark::State& state) {
  StressScene scene;
  MeasureFrames(state, scene);
}
BENCHMARK(BM_StressFrame)->Unit(benchmark::kMicrosecond);

// Arguments: Zorbs, shots. The cost per object should stay flat as the crowd grows: the
// CPU time per frame divided by the objects is reported as "per object".
void BM_CrowdGrowth(benchmark::State& state) {
  const int enemies = static_cast<int>(state.range(0)), shots = static_cast<int>(state.range(1));
  StressScene scene(enemies, shots);
  MeasureFrames(state, scene);
  const double objects = enemies + shots + 5 * enemies + enemies / 4;
  state.counters["per object"] = benchmark::Counter(
      objects, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CrowdGrowth)
    ->ArgNames({"zorbs", "shots"})
    ->ArgsProduct({{50, 100, 200, 400, 800}, {100, 500, 2000}})
    ->Unit(benchmark::kMicrosecond);

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
