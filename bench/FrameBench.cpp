// What one frame of play costs on the game window's surface: the ship flying from side to
// side with fire held among a group of enemies, the drawing included (presenting it is the
// back end's business).
#include <benchmark/benchmark.h>

#include "game/Flow.h"
#include "game/Frame.h"
#include "game/MainForm.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

void BM_FrameFlyingAndFiring(benchmark::State& state) {
  host::HeadlessHost host(std::make_unique<host::MemoryRegistryStore>());
  game::Game game(host);
  game::MainForm form(game);
  form.Window().Show();
  game::StartGame(form);
  game::GameState& s = game.state;
  if (s.Enemies.Count() == 0) s.Enemies.Add().Y = 60;  // a group still to beat
  s.FireHeld = true;
  s.MoveX = 1;
  for (int warmUp = 0; warmUp < 20; ++warmUp) game::RunFrame(form);
  // Every 40 frames the scene starts over, before the group is beaten or the ship lost:
  // what is measured is play, not the wave show or the end of the game.
  const game::GameState scene = s;
  int frame = 0;
  for (auto _ : state) {
    game::RunFrame(form);
    if (s.ShipX == 0 || s.ShipX == 575) s.MoveX = static_cast<std::int16_t>(-s.MoveX);
    if (++frame % 40 == 0) s = scene;
  }
  state.counters["shots"] = static_cast<double>(scene.Shots.Count());
  state.counters["enemies"] = static_cast<double>(scene.Enemies.Count());
  form.Unload();
}
BENCHMARK(BM_FrameFlyingAndFiring)->Unit(benchmark::kMicrosecond);

}  // namespace
