// Setting up each wave: the cleared field, the ship's glide home, the enemy groups.
#include "game/Waves.h"

#include <cstdlib>

#include "game/Combat.h"
#include "game/Enemies.h"
#include "game/Flow.h"
#include "game/StatusBar.h"
#include "game/WaveShow.h"

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

// The nine-enemy formation: small Zorbs low, larger ones above them.
void PlaceFormation(GameState& s) {
  for (std::int32_t i = 1; i <= 9; ++i) {
    if (i == 1 || i == 4 || i == 6 || i == 9) {
      AddEnemy(s, 0, 64 * i, 100, 0, 4, 10);
    } else if (i == 2 || i == 8) {
      AddEnemy(s, 1, 64 * i, 50, 0, 4, 50);
    } else {
      AddEnemy(s, 2, 64 * i, 50, 0, 4, 250);
    }
  }
}

// From wave 5 on: a row of Kind 2 (every third a Kind 3, except in Rookie mode) spread
// evenly over the field, one more each wave, above four small Zorbs.
void PlaceLaterWave(MainForm& form) {
  GameState& s = form.state;
  const std::int64_t n = s.Wave;
  for (std::int64_t i = 1; i <= n; ++i) {
    const bool big = !s.RookieMode && i % 3 == 0;
    const auto x = static_cast<std::int32_t>((640 * i) / (n + 1) - 24 - (big ? 8 : 0));
    const std::int32_t dx = RndBelow(form, 5) - 2;
    const std::int32_t dy = RndBelow(form, 2);
    AddEnemy(s, big ? 3 : 2, x, 50, dx, dy, 250);
  }
  for (std::int32_t j = 1; j <= 4; ++j) AddEnemy(s, 0, 160 * j - 8, 100, 0, 4, 10);
}

// Places the next group by wave and stage, finishing the wave with its show first where
// the group starts a new wave.
void PlaceGroup(MainForm& form) {
  GameState& s = form.state;
  if (s.Wave == 0) {
    s.Wave = 1;
    s.WaveStage = 1;
    for (std::int32_t i = 1; i <= 8; ++i) AddEnemy(s, 0, 71 * i - 8, 50, 0, 4, 10);
  } else if (s.Wave == 1) {
    ++s.WaveStage;
    AddEnemy(s, 1, 304, 50, 0, 4, 50);
  } else if (s.Wave == 2 && s.WaveStage < 4) {
    ++s.WaveStage;
    for (std::int32_t i = 1; i <= 5; ++i) {
      if (i == 3) {
        AddEnemy(s, 1, 106 * i - 16, 50, 0, 4, 50);
      } else {
        AddEnemy(s, 0, 106 * i - 8, 50, 0, 4, 10);
      }
    }
  } else if (s.Wave == 2 && s.WaveStage == 4) {
    ++s.WaveStage;
    AddEnemy(s, 2, 296, 50, 0, 0, 250);
  } else if (s.Wave == 2) {
    CompleteWave(form);
    for (std::int32_t i = 1; i <= 4; ++i)
      AddEnemy(s, 1, 128 * i - 16, 50, RndBelow(form, 5) - 2, 1, 50);
  } else if (s.Wave == 3 && s.WaveStage == 1) {
    ++s.WaveStage;
    for (std::int32_t i = 1; i <= 2; ++i)
      AddEnemy(s, 2, (640 * i) / 3 - 24, 50, RndBelow(form, 5) - 2, 1, 250);
  } else if (s.Wave == 3) {
    CompleteWave(form);
    PlaceFormation(s);
  } else {
    CompleteWave(form);
    PlaceLaterWave(form);
  }
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
    AddUpTo32Bits(s.Bombs, 1);
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
  if (s.Wave == 1 && s.WaveStage >= 4) {
    // Wave 1 is over: its show, then a whole new set-up for wave 2.
    CompleteWave(form);
    SetUpWave(form);
  } else {
    PlaceGroup(form);
  }
  UpdateStatus(form);
  if (!s.Paused) ResumePlay(form);
}

}  // namespace game
