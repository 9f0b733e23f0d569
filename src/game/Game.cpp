#include "game/Game.h"

#include "game/MainForm.h"

namespace game {

void NewGame(Game& game) {
  GameState& s = game.state;
  s.Cheated = false;
  s.Score = 0;
  s.Bombs = 1;
  s.LaserTime = 0;
  s.LaserX = 0;
  s.BombActive = false;
  s.WeaponLevel = 0;
  s.RechargeTime = 0;
  s.Shots.Clear();
  s.Enemies.Clear();
  s.PowerUps.Clear();
  s.Hull = 100;
  s.Energy = 100;
  s.ShipX = 287;
  s.ShipY = 50;
  SetWeapon(s, 0);
  s.Wave = 0;
  SetUpWave(game);
}

bool DamageShip(Game& game, std::int32_t amount) {
  GameState& s = game.state;
  if (s.Hull <= 0) {
    s.Hull = 0;
    return false;
  }
  if (s.ShieldsUp) {
    if (!s.ReducedSound) game.sound.PlaySound("SShieldsHit");
    return false;
  }
  const std::int32_t oldHull = s.Hull;
  std::int32_t newHull;
  if (s.RookieMode) {
    if (s.Energy >= amount) {
      s.Energy -= amount;
      if (!s.ReducedSound) game.sound.PlaySound("SShieldsHit");
      return true;
    }
    if (s.Energy == 0) {
      newHull = s.Hull - amount;
    } else {
      newHull = s.Hull - (amount - s.Energy);
      s.Energy = 0;
    }
  } else {
    newHull = s.Hull - amount;
  }
  s.Hull = std::max(0, newHull);
  if (s.Hull >= oldHull) return true;
  // Crossing the warning mark sounds the warning; both cues play even with reduced sound.
  game.sound.PlaySound(s.Hull <= 30 && oldHull > 30 ? "SWarning" : "SHit");
  return true;
}

void SuspendPlay(Game& game) {
  if (!game.mainForm) return;
  game.mainForm->GameTimer().SetEnabled(false);
  game.mainForm->UpdateStatus();
}

void ResumePlay(Game& game) {
  if (!game.state.GameRunning || !game.mainForm) return;
  game.mainForm->UpdateStatus();
  game.mainForm->GameTimer().SetEnabled(true);
}

void GameOver(Game& game, bool quiet) {
  GameState& s = game.state;
  SuspendPlay(game);
  s.GameRunning = false;
  MainForm* form = game.mainForm;
  if (!quiet && form) {
    form->DarkenPlayField();
    form->PrintLines(50, 100, {"Game over.", "The forces of evil have destroyed you."});
  }
  if (s.Score > s.HighScores[9]) {
    InsertHighScore(game);
  } else if (!quiet) {
    game.host.Sleep(3000);
  }
  s.LastScore = s.Score;
  s.Score = 0;
  if (!quiet && form) {
    form->UpdateStatus();
    form->DrawHighScores();
  }
}

void InsertHighScore(Game& game) {
  GameState& s = game.state;
  if (s.Cheated) return;
  int p = 0;
  while (p < 10 && !(s.Score > s.HighScores[static_cast<std::size_t>(p)])) ++p;
  if (p == 10) return;
  for (int j = 8; j >= p; --j) {
    s.HighScores[static_cast<std::size_t>(j + 1)] = s.HighScores[static_cast<std::size_t>(j)];
    s.HighScoreNames[static_cast<std::size_t>(j + 1)] = s.HighScoreNames[static_cast<std::size_t>(j)];
  }
  s.HighScores[static_cast<std::size_t>(p)] = s.Score;
  s.HighScoreNames[static_cast<std::size_t>(p)] =
      FitInitials(game.shell ? game.shell->GetInitials(static_cast<std::size_t>(p)) : s.Initials);
}

void SetUpWave(Game& game) {
  GameState& s = game.state;
  SuspendPlay(game);
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
  MainForm* form = game.mainForm;
  if (form && form->Window().Visible()) {
    form->ClearPlayField();
    s.ShieldsUp = false;
    s.BombActive = false;
    s.LaserX = 0;
    form->GlideShipHome();
  }
  // The enemy groups of each wave are placed here once combat is built.
  if (form) form->UpdateStatus();
  if (!s.Paused) ResumePlay(game);
}

}  // namespace game
