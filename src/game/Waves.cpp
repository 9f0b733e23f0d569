// Setting up each wave: the cleared field, the ship's glide home, the enemy groups.
#include "game/Waves.h"

#include <cstdlib>

#include "game/Flow.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"

namespace game {
namespace {

// Flies the ship in shrinking steps from where it is to its home at (287, 415).
void GlideShipHome(MainForm& form) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  const host::Surface& ships = form.screen.ShipsPic;
  while (!(std::abs(s.ShipX - 287) < 2 && std::abs(s.ShipY - 415) < 4)) {
    canvas.FillRect(s.ShipX, s.ShipY, s.ShipX + 64, s.ShipY + 64, host::kBlack);
    s.ShipX = (s.ShipX + 287) / 2;
    s.ShipY = (2 * s.ShipY) / 3 + 138;
    canvas.Blit(s.ShipX, s.ShipY, 65, 65, ships, 130, 0);
    form.Host().Sleep(30);
  }
  canvas.FillRect(s.ShipX, s.ShipY, s.ShipX + 64, s.ShipY + 64, host::kBlack);
  s.ShipX = 287;
  s.ShipY = 415;
  canvas.Blit(s.ShipX, s.ShipY, 65, 65, ships, 130, 0);
}

}  // namespace

void SetUpWave(MainForm& form) {
  GameState& s = form.state;
  SuspendPlay(form);
  s.Shots.Clear();
  s.Enemies.Clear();
  s.PowerUps.Clear();
  s.Debris.Clear();
  s.ReloadTime = 0;
  s.BombDelay = 0;
  s.LaserTime = 0;
  s.LaserX = 0;
  s.VolleyTimer = 20;
  if (s.BombActive) {
    s.BombActive = false;
    ++s.Bombs;
  }
  // A game started from a window already on screen clears the field and glides the ship;
  // the first game's set-up runs before the window is shown and leaves the ship at its start.
  if (form.Window().Visible()) {
    form.screen.ClearPlayField();
    s.ShieldsUp = false;
    s.BombActive = false;
    s.LaserX = 0;
    GlideShipHome(form);
  }
  // Stand-in until combat is built: no enemy group is placed.
  UpdateStatus(form);
  if (!s.Paused) ResumePlay(form);
}

}  // namespace game
